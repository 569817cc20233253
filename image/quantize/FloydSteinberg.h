#pragma once

#include "image/quantize/InverseColorMap.h"
#include "image/quantize/QuantizedPalette.h"

#include <cstdint>
#include <memory>

// Floyd-Steinberg error diffusion onto a palette, row after row from the
// top, left to right on even rows and right to left on odd ones. Each
// pixel's error goes 7/16 to the next pixel of its row and 3/16, 5/16 and
// 1/16 to the three below it, and is damped first: errors up to 16 levels
// pass whole, up to 48 by half, anything larger counts as 32, so a large
// error cannot smear across a sharp edge. Exactly libjpeg's dithering, to
// the last bit.
//
// Every pixel depends on the one before it in this serpentine order (the
// first pixel of a row on the last of the row above), so the rows cannot be
// shared among threads without changing the result.
class FloydSteinberg {
  public:
    FloydSteinberg(const QuantizedPalette& palette, InverseColorMap& nearest, int width);

    // The next row: width pixels of red, green, blue in, palette indices out.
    void DitherRow(const uint8_t* rgb, uint8_t* indices);

  private:
    template <int step> void Dither(const uint8_t* rgb, uint8_t* indices);

    InverseColorMap& nearest;
    const int width;
    // The palette's colours, red, green, blue, one unused, and seven times
    // them, what 7/16 of an error takes off the next pixel's sum.
    alignas(16) int16_t colors[256][4];
    int16_t sevenColors[256][4];
    // The damped error by its sum times 16 (before rounding down), plus
    // kSumOffset: the division by 16 is in the table.
    static constexpr int kSumOffset = 4096;
    int8_t damped[2 * kSumOffset];
    // Per channel, by a level plus damped error plus 32: the sum limited to
    // 0 to 255, and that level's share of its cell's place in the inverse
    // colour map.
    uint8_t limited[3][256 + 64];
    uint16_t shares[3][256 + 64];
    // Per column, times 16, red, green, blue and one unused: the errors
    // this row receives from the row above, and those the next row
    // receives from this one, gathered as the pixels go by; one column more
    // on either side so the edges need no test.
    std::unique_ptr<int16_t[]> errors;
    int16_t* fromAbove;
    int16_t* toBelow;
    bool rightToLeft = false;
};
