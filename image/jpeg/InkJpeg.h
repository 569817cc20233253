#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// Four-colour JPEG files: CMYK, and YCCK, which the library decodes to
// CMYK. The library turns no ink into RGB, so we ask it for the ink values
// and turn them into colours ourselves before quantising.

bool IsInkColorSpace(J_COLOR_SPACE space);

// One row of ink values (cyan, magenta, yellow, black per pixel) as red,
// green, blue. Files with an Adobe marker store the values inverted
// (255 = no ink), as Adobe's programs write them; others store ink amounts.
void InkRowToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t width, bool inverted);
