#pragma once

#include <cstddef>
#include <cstdint>

class ByteReader;

// Compression values of a DIB header.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// The 40-byte BITMAPINFOHEADER, field for field, as it sits at the start of
// every packed DIB the library holds.
struct DibHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};
static_assert(sizeof(DibHeader) == 40, "DibHeader must match BITMAPINFOHEADER");

// What ReadDibHeader learnt about a BMP file: the header as the library keeps
// it (always 40 bytes, rows bottom-up, clrUsed and sizeImage filled in), the
// colour table in four-byte form, the bit-field masks, and where the pixel
// bytes lie in the file.
struct BmpLayout {
    DibHeader header;
    uint8_t colorTable[256 * 4] = {}; // header.clrUsed entries blue, green, red, 0
    bool hasMasks = false;
    uint32_t masks[3] = {};
    bool topDown = false; // the file stores its rows top row first
    size_t pixelOffset = 0;

    uint32_t TableBytes() const { return header.clrUsed * 4; }
    uint32_t MaskBytes() const { return hasMasks ? 12 : 0; }
    // Bytes between the start of the block and the first pixel byte.
    uint32_t PixelStart() const { return 40 + TableBytes() + MaskBytes(); }
    uint32_t BlockBytes() const { return PixelStart() + header.sizeImage; }
};

// Reads the file header (or none, for a bare DIB), the info or core header,
// the colour table and the masks from the reader's current position. Returns
// false for files the library refuses: headers cut short, header sizes other
// than 12, 40, 52, 56, 108 and 124 bytes, unknown depths or compressions,
// more than 256 colours, pictures beyond the library's size bound, and
// damaged files: plain rows the file cannot hold, or compressed data shorter
// than its header says. fileSize is the whole file's length, counted from
// where the reader starts: more than the reader holds when only the first
// bytes of the file were read.
bool ReadDibHeader(ByteReader& file, BmpLayout& layout, uint64_t fileSize);
// The reader holds the whole file.
bool ReadDibHeader(ByteReader& file, BmpLayout& layout);

// Copies the pixel bytes of a file parsed by ReadDibHeader into pixels, which
// holds layout.header.sizeImage bytes. Top-down rows are turned bottom-up.
void ReadDibPixels(ByteReader& file, const BmpLayout& layout, uint8_t* pixels);
