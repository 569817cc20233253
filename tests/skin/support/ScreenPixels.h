#pragma once
// What the screen shows, read back through the desktop's device context.

#include "tests/skin/support/SkinPictures.h"

#include <windows.h>

#include <string>

// The screen's pixels in `screenRect`.
PicturePixels ReadScreen(const RECT& screenRect);

// Waits until the screen at `topLeft` shows `picture` on every pixel where
// `shape` (the picture that gives the button its shape) is not its
// top-left colour; false when it has not by the deadline.
bool ScreenShows(POINT topLeft, const PicturePixels& picture, const PicturePixels& shape, DWORD milliseconds = 3000);

// Waits until skin button `index` (its window `button`) shows its picture
// of `state` from the skin folder `folder`, as the default skin names them.
bool SkinButtonShows(HWND button, const std::string& folder, int index, int state);
