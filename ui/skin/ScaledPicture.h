#pragma once
// Skin pictures drawn at the size the window's DPI gives them: as they are
// when they have it, else stretched with HALFTONE, which averages the
// pixels a shrink drops and smooths an enlargement, instead of repeating
// and dropping whole rows and columns.

#include "image/ImageObject.h"

#include <windows.h>

// Draws `image` with its top-left corner at (0, 0) of `dc`, width x height large.
void DrawScaledPicture(HDC dc, const CImageObject& image, int width, int height);
