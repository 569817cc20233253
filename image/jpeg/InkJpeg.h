#pragma once

#include "image/jpeg/JpegMemory.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// Four-colour JPEG files: CMYK, and YCCK, which the library decodes to CMYK.
// The library's colour quantiser works on RGB only and the library turns
// no ink into RGB, so such a file is decoded to ink values, turned into RGB
// here and written again as an RGB JPEG in memory, which then decodes and
// quantises like any colour file.

bool IsInkColorSpace(J_COLOR_SPACE space);

// Writes the four-colour JPEG that file holds (from its start) into rgb as
// an RGB JPEG of full quality without subsampled colour, so the colours
// barely change on the way. False when the library reports an error, the
// picture is beyond the library's size bound, or memory is short.
bool TranscodeInkToRgb(FILE* file, JpegMemory& rgb);

// One row of ink values (cyan, magenta, yellow, black per pixel) as red,
// green, blue. Files with an Adobe marker store the values inverted
// (255 = no ink), as Adobe's programs write them; others store ink amounts.
void InkRowToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t width, bool inverted);
