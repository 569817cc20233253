#pragma once

#include "image/quantize/QuantizedPalette.h"

#include <cstddef>
#include <cstdint>

// Dithers a whole picture onto palette: rgb holds height rows of width
// pixels (red, green, blue) top first; the indices of the top row go to
// topRow and each following row outStride bytes further (negative for a
// bottom-up DIB). False when the worker was told to stop part way.
bool DitherPicture(const QuantizedPalette& palette, const uint8_t* rgb, int width, int height, uint8_t* topRow,
                   ptrdiff_t outStride);
