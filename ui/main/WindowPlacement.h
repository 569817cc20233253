#pragma once
// Where the main window opens: where the user left it, kept whole inside
// the work area of the monitor it lies on (never under a taskbar, never
// off the screen); centred in the primary monitor's work area the first
// time and when the monitor it was left on is gone.

#include "settings/RegistryKey.h"

#include <windows.h>

#include <string>

// The settings value that holds the place: "x,y" of the top-left corner.
constexpr char kWindowPosValue[] = "WindowPos";

std::string WindowPosText(POINT topLeft);

// The top-left corner for a window of `size`, from the stored text ("" when
// there is none).
POINT OpeningPosition(const std::string& stored, SIZE size);

// Moves `window` to where it was left, as `key` stores it.
void PlaceWhereLeft(HWND window, CRegistryKey& key);
// Stores where `window` is; a minimised window keeps the stored place.
void RememberPlace(HWND window, CRegistryKey& key);
