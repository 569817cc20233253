#pragma once

// A GIF sink backed by plain memory, laid out like the library's pixel array
// (rows bottom-up, 4-byte aligned), for the native parser tests.

#include "image/DibSize.h"
#include "image/gif/GifParser.h"

#include <vector>

class MemoryPicture : public GifPictureSink {
  public:
    PictureRows CreatePicture(int width, int height) override
    {
        ++createCount;
        uint32_t bytes = 0;
        if (!DibImageBytes(8, width, height, bytes) || bytes > maxBytes)
            return PictureRows();
        pixels.assign(bytes + 1, 0); // never empty, so data() is a real pointer
        rows.bits = pixels.data();
        rows.rowStride = static_cast<int>(DibRowStride(8, width));
        rows.width = width;
        rows.height = height;
        return rows;
    }
    void SetPalette(int count, const uint8_t* r, const uint8_t* g, const uint8_t* b) override
    {
        paletteSize = count;
        reds.assign(r, r + count);
        greens.assign(g, g + count);
        blues.assign(b, b + count);
    }
    void SetTransparentIndex(int index) override { transparentIndex = index; }

    // Pixel x of picture line y, counted from the top.
    int At(int x, int y) const { return rows.bits[(rows.height - 1 - y) * rows.rowStride + x]; }

    PictureRows rows;
    std::vector<uint8_t> pixels;
    std::vector<uint8_t> reds, greens, blues;
    int paletteSize = -1;
    int transparentIndex = -1;
    int createCount = 0;
    uint64_t maxBytes = kMaxDibBytes; // a lower bound keeps fuzzing fast
};
