#pragma once
// The plain way to turn a picture into a region, kept as the reference the
// fast builder is checked and timed against: start with the whole
// rectangle and remove every pixel of the top-left colour one by one,
// column by column, asking GDI for each pixel's colour.

#include "framework/GdiObject.h"

#include <windows.h>

// `dc` has the picture's device bitmap selected.
CRgn PerPixelRegion(HDC dc, int width, int height);
