#pragma once
// Input as a person's own mouse and keyboard give it: through the system's
// input queue (SendInput), so it reaches whatever window lies under the
// point, hit-tested, activated and ordered as a real click is.

#include <windows.h>

#include <initializer_list>

namespace testing_support {

enum class MouseButton { Left, Right };

// Moves the pointer to `point` (screen coordinates), with the button
// presses or releases of `buttonFlags` (MOUSEEVENTF_LEFTDOWN and the like)
// done there. Returns once the pointer is there; false when it never got there.
bool MovePointerTo(POINT point, DWORD buttonFlags = 0);

// Moves the pointer to `point` (screen coordinates) and presses and releases
// `button` there. A second click of the same button at the same place comes
// only after the double-click time, so two clicks stay two single clicks.
// Returns once the pointer is there; false when it never got there.
bool ClickAt(POINT point, MouseButton button = MouseButton::Left);

// Clicks `window` at a point a click reaches: inside its window region when
// it has one, as near its middle as can be, and not covered by another
// window. False when it has no such point.
bool ClickWindow(HWND window, MouseButton button = MouseButton::Left);

// Presses the keys in order and releases them in reverse order, as a chord
// such as Alt+F4.
void PressKeys(std::initializer_list<WORD> virtualKeys);

// Presses Tab until `target` has the focus; false when it never gets it.
bool TabTo(HWND target);
enum class Input { Mouse, Keyboard };
// Clicks `control`, or tabs to it and presses `key`.
bool Press(HWND control, Input input, WORD key = VK_SPACE);

} // namespace testing_support
