#pragma once

#include "image/quantize/ColorCells.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// How many pixels fall into each colour cell, read back stopping at 65535
// as libjpeg's 16-bit cells do.
//
// Neighbouring pixels mostly fall into one cell, so counting them one after
// another in one table makes each increment wait for the one before it to
// land. Every other pixel goes to a second table instead, and the two are
// summed when a count is read.
class ColorHistogram {
  public:
    ColorHistogram();

    // count pixels of red, green, blue bytes.
    void AddPixels(const uint8_t* rgb, size_t count);
    // Adds other's counts.
    void Add(const ColorHistogram& other);

    uint16_t Count(int cell) const
    {
        const uint32_t sum = cells[cell] + cells[ColorCells::kCount + cell];
        return static_cast<uint16_t>(sum > 0xFFFF ? 0xFFFF : sum);
    }
    uint16_t Count(int red, int green, int blue) const { return Count(ColorCells::Index(red, green, blue)); }

  private:
    // The two tables one after the other. A picture the program loads has
    // far fewer than 2^32 pixels.
    std::unique_ptr<uint32_t[]> cells;
};
