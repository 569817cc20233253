#pragma once

// Writes BMP files byte by byte, so each test says exactly which header
// variant, table and pixel bytes its file holds.

#include <cstdint>
#include <vector>

struct BmpContents {
    bool fileHeader = true; // false: a bare DIB
    int headerSize = 40;    // 12 (core), 16 (short OS/2 2.x), 40, 52, 56, 64, 108 or 124
    int width = 0;
    int height = 0; // negative: top-down rows
    int bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    uint32_t sizeImage = 0;
    std::vector<uint8_t> colorTable; // as stored: 4 bytes per entry, 3 in core files
    std::vector<uint32_t> masks;     // BI_BITFIELDS masks
    std::vector<uint8_t> pixels;     // as stored in the file
    bool zeroOffBits = false;
};

std::vector<uint8_t> BuildBmp(const BmpContents& contents);

// Row stride of a DIB row, padded to 4 bytes.
int StrideOf(int bitCount, int width);
