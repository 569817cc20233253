#include "image/bmp/BmpParser.h"

#include "image/DibSize.h"
#include "image/io/ByteReader.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kShortOs2HeaderBytes = 16;
constexpr uint32_t kOs2HeaderBytes = 64;
constexpr uint32_t kInfoHeaderBytes = 40;
// The OS/2 2.x header reuses compression 3 for Huffman-coded 1-bit pictures.
constexpr uint32_t kOs2Huffman = 3;
// A colour table names at most this many colours; entries beyond it in the
// optional table of a deep picture are skipped.
constexpr uint32_t kMaxTableEntries = 256;

bool IsKnownInfoHeaderSize(uint32_t size)
{
    // 40: BITMAPINFOHEADER; 52 and 56: the Adobe variants with masks inside
    // the header; 108 and 124: BITMAPV4HEADER and BITMAPV5HEADER; 16 and 64:
    // the OS/2 2.x header, short and whole, whose first fields are those of
    // BITMAPINFOHEADER (the short one stops after the depth).
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124 || size == kShortOs2HeaderBytes ||
           size == kOs2HeaderBytes;
}

bool IsKnownDepth(uint32_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

bool CompressionFitsDepth(uint32_t compression, uint32_t bitCount)
{
    switch (compression) {
    case kBiRgb:
        return true;
    case kBiRle8:
        return bitCount == 8;
    case kBiRle4:
        return bitCount == 4;
    case kBiBitfields:
        return bitCount == 16 || bitCount == 32;
    default:
        return false;
    }
}

uint32_t LittleEndian32(const uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void ReadInfoHeader(const uint8_t* bytes, DibHeader& header)
{
    header.size = LittleEndian32(bytes);
    header.width = static_cast<int32_t>(LittleEndian32(bytes + 4));
    header.height = static_cast<int32_t>(LittleEndian32(bytes + 8));
    header.planes = static_cast<uint16_t>(bytes[12] | (bytes[13] << 8));
    header.bitCount = static_cast<uint16_t>(bytes[14] | (bytes[15] << 8));
    header.compression = LittleEndian32(bytes + 16);
    header.sizeImage = LittleEndian32(bytes + 20);
    header.xPelsPerMeter = static_cast<int32_t>(LittleEndian32(bytes + 24));
    header.yPelsPerMeter = static_cast<int32_t>(LittleEndian32(bytes + 28));
    header.clrUsed = LittleEndian32(bytes + 32);
    header.clrImportant = LittleEndian32(bytes + 36);
}

void ReadCoreHeader(const uint8_t* bytes, DibHeader& header)
{
    header = DibHeader();
    header.width = bytes[4] | (bytes[5] << 8);
    header.height = bytes[6] | (bytes[7] << 8);
    header.planes = static_cast<uint16_t>(bytes[8] | (bytes[9] << 8));
    header.bitCount = static_cast<uint16_t>(bytes[10] | (bytes[11] << 8));
}

// How many colour entries the file holds: those its header names (or its
// depth's whole table), unless the pixels start sooner, as OS/2 2.x
// writers leave it (bmpsuite's pal8os2v2.bmp names none and holds 252).
uint32_t TableEntries(uint32_t named, uint32_t entryBytes, size_t tableStart, size_t pixelOffset)
{
    if (pixelOffset > tableStart && pixelOffset - tableStart < static_cast<uint64_t>(named) * entryBytes)
        return static_cast<uint32_t>((pixelOffset - tableStart) / entryBytes);
    return named;
}

// Three-byte entries are widened to four, the fourth byte 0; four-byte
// ones are read as they are.
void ReadColorTable(ByteReader& file, uint32_t entryBytes, uint32_t entries, BmpLayout& layout)
{
    if (entryBytes == 4) {
        file.Read(layout.colorTable, entries * 4);
        return;
    }
    for (uint32_t i = 0; i < entries; ++i) {
        uint8_t* entry = layout.colorTable + i * 4;
        file.Read(entry, 3);
        entry[3] = 0;
    }
}

// Compressed rows cannot be judged before they are decoded: only the size
// the header gives them can be checked against the file. Without one they
// take what the file holds, which must be something.
bool SizeCompressedData(uint64_t fileSize, BmpLayout& layout)
{
    const uint64_t available = layout.pixelOffset < fileSize ? fileSize - layout.pixelOffset : 0;
    const uint64_t bytes = layout.header.sizeImage != 0 ? layout.header.sizeImage : available;
    if (bytes == 0 || bytes > available || bytes > kMaxDibBytes)
        return false;
    layout.header.sizeImage = static_cast<uint32_t>(bytes);
    return true;
}

// Whether the file holds every pixel row; the padding of the last row may
// be missing.
bool HoldsPixelRows(uint64_t fileSize, const BmpLayout& layout)
{
    const DibHeader& header = layout.header;
    const uint64_t lastRowBytes =
        (static_cast<uint64_t>(header.bitCount) * static_cast<uint64_t>(header.width) + 7) / 8;
    const uint64_t rowBytes = DibRowStride(header.bitCount, header.width) * static_cast<uint64_t>(header.height - 1);
    return layout.pixelOffset + rowBytes + lastRowBytes <= fileSize;
}

} // namespace

bool ReadDibHeader(ByteReader& file, BmpLayout& layout, uint64_t fileSize)
{
    layout = BmpLayout();
    const size_t start = file.Position();

    uint8_t fileHeader[kFileHeaderBytes];
    if (file.Read(fileHeader, kFileHeaderBytes) < kFileHeaderBytes)
        return false;
    uint32_t offBits = 0;
    if (fileHeader[0] == 'B' && fileHeader[1] == 'M') {
        offBits = LittleEndian32(fileHeader + 10);
    } else {
        file.Seek(start); // a bare DIB: the info header comes first
    }

    // Only the header's own size has to be in the file: a 1 x 1 core
    // picture is shorter than a BITMAPINFOHEADER alone. Fields a short
    // header lacks read as 0.
    const size_t headerStart = file.Position();
    const uint32_t headerSize = file.Get32();
    const bool core = headerSize == kCoreHeaderBytes;
    if (!core && !IsKnownInfoHeaderSize(headerSize))
        return false;
    uint8_t infoBytes[kInfoHeaderBytes] = {};
    const size_t used = headerSize < kInfoHeaderBytes ? headerSize : kInfoHeaderBytes;
    file.Seek(headerStart);
    if (file.Read(infoBytes, used) < used)
        return false;
    DibHeader& header = layout.header;
    if (core) {
        ReadCoreHeader(infoBytes, header);
    } else {
        ReadInfoHeader(infoBytes, header);
        header.size = kInfoHeaderBytes; // other header versions are kept as BITMAPINFOHEADER
        if (headerSize == kOs2HeaderBytes && header.compression == kOs2Huffman)
            return false;
    }

    if (header.width <= 0 || header.height == 0 || header.height == INT_MIN)
        return false;
    if (!IsKnownDepth(header.bitCount) || !CompressionFitsDepth(header.compression, header.bitCount))
        return false;
    if (header.height < 0) {
        // Top-down rows exist only uncompressed; they are turned bottom-up on reading.
        if (header.compression != kBiRgb && header.compression != kBiBitfields)
            return false;
        header.height = -header.height;
        layout.topDown = true;
    }
    // The size is judged first, for compressed pictures too.
    uint32_t imageBytes = 0;
    if (!DibImageBytes(header.bitCount, header.width, header.height, imageBytes))
        return false;

    // Masks of a BITFIELDS picture sit inside the longer headers, else right after the header.
    layout.hasMasks = header.compression == kBiBitfields;
    if (layout.hasMasks && headerSize >= 52) {
        file.Seek(headerStart + 40);
        for (uint32_t& mask : layout.masks)
            mask = file.Get32();
    }
    file.Seek(headerStart + headerSize);
    if (layout.hasMasks && headerSize == 40) {
        for (uint32_t& mask : layout.masks)
            mask = file.Get32();
    }

    uint32_t namedEntries = header.clrUsed;
    if (namedEntries == 0 && header.bitCount <= 8)
        namedEntries = 1u << header.bitCount;
    if (namedEntries > kMaxTableEntries && header.bitCount <= 8)
        return false;
    const size_t statedPixelOffset = offBits != 0 ? start + offBits : 0;
    // Only the core header has three-byte entries; OS/2 2.x ones have four.
    const uint32_t entryBytes = core ? 3 : 4;
    const uint32_t fileEntries = TableEntries(namedEntries, entryBytes, file.Position(), statedPixelOffset);
    // Deeper pictures may carry an optional table for palette devices, as
    // long as they like; its first 256 colours are kept (and become the
    // picture's palette) unless bit-field masks take its place right after
    // the header.
    const uint32_t keptEntries = layout.hasMasks ? 0 : std::min(fileEntries, kMaxTableEntries);
    header.clrUsed = keptEntries;
    ReadColorTable(file, entryBytes, keptEntries, layout);
    const uint64_t skippedBytes = static_cast<uint64_t>(fileEntries - keptEntries) * entryBytes;
    file.Skip(static_cast<size_t>(std::min<uint64_t>(skippedBytes, SIZE_MAX)));
    layout.pixelOffset = offBits != 0 ? statedPixelOffset : file.Position();

    if (header.compression == kBiRle8 || header.compression == kBiRle4)
        return SizeCompressedData(fileSize, layout);

    // Uncompressed rows always get their full size, whatever the file claims,
    // so drawing can never run past the block; a file cut short of them is
    // damaged.
    header.sizeImage = imageBytes;
    return HoldsPixelRows(fileSize, layout);
}

void ReadDibPixels(ByteReader& file, const BmpLayout& layout, uint8_t* pixels)
{
    file.Seek(layout.pixelOffset);
    if (!layout.topDown) {
        file.Read(pixels, layout.header.sizeImage);
        return;
    }
    const size_t stride = static_cast<size_t>(DibRowStride(layout.header.bitCount, layout.header.width));
    const int height = layout.header.height;
    for (int row = height - 1; row >= 0; --row)
        file.Read(pixels + static_cast<size_t>(row) * stride, stride);
}

bool ReadDibHeader(ByteReader& file, BmpLayout& layout)
{
    return ReadDibHeader(file, layout, file.Size());
}
