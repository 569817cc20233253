#pragma once
// Tessaly.exe as the start-up tests drive it: the desktop it starts on, and
// what a user does to it. Each step runs on a thread of its own while this
// one answers every message box the program shows meanwhile, so a test
// knows exactly which messages a step caused, without waiting a guessed
// while for one that may still come.

#include "tests/support/Program.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace app_test {

constexpr wchar_t kCaption[] = L"Orvane Tessaly";

std::string ProgramPath();

// The current user's desktop shows `wallpaper` (none when empty), centred. A
// wallpaper makes the program show pictures and change them as its settings
// say, so every start presets it.
void PresetDesktop(const std::string& wallpaper);

// Runs `step` and answers, with OK, each message box of `program` that shows
// before it returns; gives their texts in order. The step must end by itself
// (every wait in it has a deadline).
std::vector<std::wstring> AnswerMessageBoxesDuring(const testing_support::Program& program,
                                                   const std::function<void()>& step);

// The steps. Each returns once the program has handled it.
// The program's main window once it shows, that is once its initialisation
// is over; null when none showed.
HWND WaitUntilShown(const testing_support::Program& program);
// Types `text` into an edit as a user would: the edit gets WM_SETTEXT and
// tells the window (SetWindowText does not reach another process's controls).
void Type(HWND edit, const wchar_t* text);
void Click(HWND button);
// A command as a menu or the keyboard sends it (IDOK is Enter).
void Command(HWND window, WORD id);
// Alt+F4: the window closes and the program ends; false when it did not.
bool Close(const testing_support::Program& program, HWND window);

} // namespace app_test
