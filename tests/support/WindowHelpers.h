#pragma once
// Helpers for tests that look at real windows: message boxes shown by the
// code under test, windows of another process, waiting with a deadline.

#include <windows.h>

#include <functional>
#include <string>

namespace testing_support {

// Pumps this thread's messages until `done` is true or `milliseconds` pass.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// Sends a message to a window of any process; a window that has not
// answered after `milliseconds` gives 0.
LRESULT SendWithin(HWND window, UINT msg, WPARAM wp, LPARAM lp, DWORD milliseconds);

// Runs `action` while a message box of this thread is answered with OK as
// soon as it shows; returns the texts of every box that showed, one line each.
std::wstring AnswerMessageBoxes(const std::function<void()>& action);

// The text of a message box window (its static text control).
std::wstring MessageBoxText(HWND box);

// The first visible or hidden top-level window of a process with this class
// name (null for any class), or null.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

// A visible dialog (class "#32770") owned by `owner`, or null.
HWND FindOwnedDialog(HWND owner);

std::wstring WindowTextW(HWND window);

} // namespace testing_support
