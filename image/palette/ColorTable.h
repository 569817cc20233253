#pragma once

#include <windows.h>

// Switches the colour table of a packed DIB between its two forms. Index
// form: the table starts with the 16-bit values 0, 1, 2, ... (entry i names
// palette entry i), for drawing with DIB_PAL_COLORS. Colour form: four-byte
// entries blue, green, red, 0 taken from the palette, as a BMP file stores
// them. A null palette means the system's default palette. Tables of no
// entries and the masks of a BI_BITFIELDS picture are left alone.
bool SetColorTable(BITMAPINFOHEADER* dib, HPALETTE palette, bool indexForm);

// A new GDI palette of the DIB's biClrUsed colours (taken as 16 bits), or
// null when it has none. The caller owns the handle.
HPALETTE PaletteFromColorTable(const BITMAPINFOHEADER* dib);
