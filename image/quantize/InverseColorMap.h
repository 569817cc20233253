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
class InverseColorMap {
  public:
    explicit InverseColorMap(const QuantizedPalette& palette);

    int Nearest(int cell)
    {
        if (nearestPlusOne[cell] == 0)
            FillBlockOf(cell);
        return nearestPlusOne[cell] - 1;
    }

  private:
    void FillBlockOf(int cell);

    const QuantizedPalette& palette;
    // The nearest index plus one; 0 for a cell not worked out yet.
    std::unique_ptr<uint8_t[]> nearestPlusOne;
};
