#include "image/quantize/ColorHistogram.h"

ColorHistogram::ColorHistogram() : cells(new uint16_t[ColorCells::kCount]()) {}

void ColorHistogram::AddPixels(const uint8_t* rgb, size_t count)
{
    uint16_t* const counts = cells.get();
    for (const uint8_t* end = rgb + count * 3; rgb != end; rgb += 3) {
        uint16_t& cell = counts[ColorCells::IndexOf(rgb[0], rgb[1], rgb[2])];
        cell += cell != 0xFFFF;
    }
}

void ColorHistogram::Add(const ColorHistogram& other)
{
    for (int cell = 0; cell < ColorCells::kCount; ++cell) {
        const uint32_t sum = uint32_t{cells[cell]} + other.cells[cell];
        cells[cell] = static_cast<uint16_t>(sum > 0xFFFF ? 0xFFFF : sum);
    }
}
