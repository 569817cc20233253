#pragma once
// Turns a picture's opaque pixels into region data (RGNDATA bytes) in one
// pass: each row is cut into runs of opaque pixels, and consecutive rows
// with the same runs share one band of rectangles, which is how GDI stores
// a region itself. One ExtCreateRegion then rebuilds exactly that pixel set.
//
// No Windows types here: the byte layout is written out by hand.

#include <cstddef>
#include <cstdint>
#include <vector>

// `pixels` holds `height` rows of `width` 32-bit values, top row first,
// each row `stride` values from the last. A pixel is transparent when its
// low 24 bits (the colour of a 32-bit DIB) equal those of `transparent`.
// An all-transparent picture gives a header with no rectangles.
std::vector<uint8_t> RegionDataFromPixels(const uint32_t* pixels, int width, int height, size_t stride,
                                          uint32_t transparent);
