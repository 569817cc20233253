#pragma once

#include "image/quantize/ColorCells.h"
#include "image/quantize/QuantizedPalette.h"

#include <cstdint>
#include <memory>

// The nearest palette colour of every colour cell, found the first time a
// cell is asked for. Nearest means the least weighted distance from the
// cell's centre, ties going to the lower palette index. Cells are worked
// out a block of 4 x 8 x 4 at a time: most colours of the palette are too
// far from a block to be nearest to any of its cells, and are dropped once
// for the whole block.
//
// A block's cells lie together in memory (two cache lines), so the cells
// of neighbouring pixels, which mostly share a block, stay in the cache.
// A cell's place is the OR of one share per channel.
class InverseColorMap {
  public:
    enum Channel { kRed, kGreen, kBlue };

    explicit InverseColorMap(const QuantizedPalette& palette);

    // The part of a cell's place that a channel's level gives.
    static uint32_t Share(Channel channel, int level);

    int Nearest(uint32_t place)
    {
        if (nearest[place] == kNotYet)
            FillBlockOf(place);
        return nearest[place];
    }

  private:
    // No palette index: palettes have at most 255 colours.
    static constexpr uint8_t kNotYet = 255;

    void FillBlockOf(uint32_t place);

    const QuantizedPalette& palette;
    // The nearest palette index by place.
    std::unique_ptr<uint8_t[]> nearest;
};
