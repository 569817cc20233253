#pragma once

#include <windows.h>

// The colours every window of the program paints its controls with: navy
// text on the orange of the skin's panel.
constexpr COLORREF kDialogTextColour = RGB(0, 0, 128);
constexpr COLORREF kDialogBackColour = RGB(255, 128, 64);
