#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// Four-colour JPEG files: CMYK, and YCCK, whose cyan, magenta and yellow
// are stored as YCbCr. The library turns no ink into RGB, so we ask it for
// the values as they are stored and turn them into colours ourselves
// before quantising, in one step.

bool IsInkColorSpace(J_COLOR_SPACE space);

// One row of four-component pixels as the file stores them (stored: JCS_CMYK
// or JCS_YCCK) as red, green, blue. YCCK is first turned into ink values
// exactly as the library's own YCCK to CMYK conversion does. Files with an
// Adobe marker store the values inverted (255 = no ink), as Adobe's
// programs write them; others store ink amounts.
void InkRowToRgb(const uint8_t* ink, uint8_t* rgb, size_t width, J_COLOR_SPACE stored, bool inverted);
