#include "image/quantize/ColorHistogram.h"

ColorHistogram::ColorHistogram() : cells(new uint32_t[2 * ColorCells::kCount]()) {}

void ColorHistogram::AddPixels(const uint8_t* rgb, size_t count)
{
    uint32_t* const first = cells.get();
    uint32_t* const second = first + ColorCells::kCount;
    const uint8_t* const end = rgb + count * 3;
    for (; end - rgb >= 6; rgb += 6) {
        ++first[ColorCells::IndexOf(rgb[0], rgb[1], rgb[2])];
        ++second[ColorCells::IndexOf(rgb[3], rgb[4], rgb[5])];
    }
    if (rgb != end)
        ++first[ColorCells::IndexOf(rgb[0], rgb[1], rgb[2])];
}

void ColorHistogram::Add(const ColorHistogram& other)
{
    for (int cell = 0; cell < 2 * ColorCells::kCount; ++cell)
        cells[cell] += other.cells[cell];
}
