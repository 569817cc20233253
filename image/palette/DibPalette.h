#pragma once

#include "framework/GdiObject.h"

#include <cstdint>

// The palette a picture of 8 bits or fewer draws through. While a picture
// holds one, its colour table holds indices into it (DIB_PAL_COLORS).
class CDibPalette : public CPalette {
  public:
    CDibPalette() = default;
    CDibPalette(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues);
    // Adopts a GDI palette handle.
    explicit CDibPalette(HPALETTE palette) : CPalette(palette) {}
    // An independent copy with the same entries.
    CDibPalette(const CDibPalette& other);
    CDibPalette& operator=(const CDibPalette&) = delete;

    // False when the object already holds a palette, count is not 1 to 256
    // or GDI refuses; else entry i = (reds[i], greens[i], blues[i]).
    bool CreateFromArrays(int count, const uint8_t* reds, const uint8_t* greens, const uint8_t* blues);

    int NearestIndex(uint8_t r, uint8_t g, uint8_t b) const;
    bool GetEntry(int index, uint8_t& r, uint8_t& g, uint8_t& b) const;
};
