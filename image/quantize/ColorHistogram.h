#pragma once

#include "image/quantize/ColorCells.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// How many pixels fall into each colour cell. A count stops at 65535, so any
// picture fits 16 bits a cell (128 KB in all).
class ColorHistogram {
  public:
    ColorHistogram();

    // count pixels of red, green, blue bytes.
    void AddPixels(const uint8_t* rgb, size_t count);
    // Adds other's counts, stopping at 65535 as counting them here would.
    void Add(const ColorHistogram& other);

    uint16_t Count(int cell) const { return cells[cell]; }
    uint16_t Count(int red, int green, int blue) const { return cells[ColorCells::Index(red, green, blue)]; }

  private:
    std::unique_ptr<uint16_t[]> cells;
};
