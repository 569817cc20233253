#include "image/DibSize.h"
#include "image/bmp/BmpParser.h"
#include "image/io/ByteReader.h"
#include "tests/image/support/BmpBuilder.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

struct Parsed {
    bool ok = false;
    BmpLayout layout;
    std::vector<uint8_t> pixels;
};

Parsed Parse(const std::vector<uint8_t>& file)
{
    Parsed result;
    ByteReader reader(file.data(), file.size());
    result.ok = ReadDibHeader(reader, result.layout);
    if (result.ok) {
        result.pixels.assign(result.layout.header.sizeImage, 0xEE);
        ReadDibPixels(reader, result.layout, result.pixels.data());
    }
    return result;
}

std::vector<uint8_t> Ramp(size_t count)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 1);
    return bytes;
}

BmpContents EightBit(int width, int height)
{
    BmpContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitCount = 8;
    contents.colorTable = Ramp(256 * 4);
    contents.pixels = Ramp(static_cast<size_t>(StrideOf(8, width) * height));
    return contents;
}

} // namespace

TEST(BmpParser, TopDownRowsAreTurnedBottomUp)
{
    BmpContents contents = EightBit(4, 3);
    contents.height = -3;
    contents.pixels = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};
    const Parsed parsed = Parse(BuildBmp(contents));
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.layout.header.height, 3);
    EXPECT_EQ(parsed.pixels, (std::vector<uint8_t>{3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}));

    contents.compression = kBiRle8; // top-down RLE does not exist
    EXPECT_FALSE(Parse(BuildBmp(contents)).ok);
}

TEST(BmpParser, LongHeadersKeepTheirMasksAndPixels)
{
    for (int headerSize : {40, 52, 56, 108, 124}) {
        BmpContents contents;
        contents.headerSize = headerSize;
        contents.width = 2;
        contents.height = 2;
        contents.bitCount = 16;
        contents.compression = kBiBitfields;
        contents.masks = {0xF800, 0x07E0, 0x001F};
        contents.pixels = Ramp(8);
        const Parsed parsed = Parse(BuildBmp(contents));
        ASSERT_TRUE(parsed.ok) << headerSize;
        EXPECT_EQ(parsed.layout.header.size, 40u);
        EXPECT_TRUE(parsed.layout.hasMasks);
        EXPECT_EQ(parsed.layout.masks[0], 0xF800u) << headerSize;
        EXPECT_EQ(parsed.layout.masks[2], 0x001Fu) << headerSize;
        EXPECT_EQ(parsed.layout.PixelStart(), 52u);
        EXPECT_EQ(parsed.pixels, Ramp(8)) << headerSize;
    }
}

TEST(BmpParser, CompressedDataIsWhatTheHeaderSaysAndMustBeInTheFile)
{
    BmpContents contents = EightBit(4, 4);
    contents.compression = kBiRle8;
    contents.pixels = {2, 5, 0, 0, 2, 6, 0, 1};
    for (const auto& [sizeImage, kept] : {std::pair{0u, 8u}, {6u, 6u}, {8u, 8u}, {9u, 0u}, {0x7FFFFFFFu, 0u}}) {
        contents.sizeImage = sizeImage;
        const Parsed parsed = Parse(BuildBmp(contents));
        ASSERT_EQ(parsed.ok, kept != 0) << sizeImage;
        if (kept) {
            EXPECT_EQ(parsed.pixels, std::vector<uint8_t>(contents.pixels.begin(), contents.pixels.begin() + kept));
        }
    }
    contents.sizeImage = 0;
    contents.pixels.clear();
    EXPECT_FALSE(Parse(BuildBmp(contents)).ok) << "no data at all";
}

TEST(BmpParser, RefusesWhatCannotBeAPicture)
{
    auto refused = [](BmpContents contents) { return !Parse(BuildBmp(contents)).ok; };
    BmpContents base = EightBit(4, 4);

    BmpContents huge = base; // 60000 x 60000 x 24 bits: far beyond the DIB bound
    huge.bitCount = 24;
    huge.colorTable.clear();
    huge.width = huge.height = 60000;
    EXPECT_TRUE(refused(huge));
    BmpContents overflow = huge; // width x stride wraps around in 32 bits
    overflow.width = 0x40000000;
    overflow.height = 16;
    EXPECT_TRUE(refused(overflow));
    BmpContents minHeight = base;
    minHeight.height = INT_MIN;
    EXPECT_TRUE(refused(minHeight));
    BmpContents negativeWidth = base;
    negativeWidth.width = -4;
    EXPECT_TRUE(refused(negativeWidth));
    BmpContents manyColors = base;
    manyColors.clrUsed = 0x10000000;
    EXPECT_TRUE(refused(manyColors));
    BmpContents oddDepth = base;
    oddDepth.bitCount = 7;
    EXPECT_TRUE(refused(oddDepth));
    BmpContents oddHeader = base;
    oddHeader.headerSize = 20;
    EXPECT_TRUE(refused(oddHeader));
    BmpContents jpegInside = base;
    jpegInside.compression = 4;
    EXPECT_TRUE(refused(jpegInside));
    BmpContents huffman = base; // compression 3 means Huffman coding in an OS/2 2.x header
    huffman.headerSize = 64;
    huffman.bitCount = 1;
    huffman.compression = 3;
    EXPECT_TRUE(refused(huffman));

    // Cut short: inside the header, right after the table, or one pixel
    // short of the rows; only the padding of the last row may be missing.
    const std::vector<uint8_t> whole = BuildBmp(EightBit(3, 2));
    for (size_t length : {size_t{53}, whole.size() - 8, whole.size() - 2, whole.size() - 1}) {
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
        EXPECT_EQ(Parse(cut).ok, length == whole.size() - 1) << length;
    }
}

TEST(BmpParser, TablesOfDeepPicturesAreKeptExceptBesideMasks)
{
    BmpContents contents;
    contents.width = 2;
    contents.height = 1;
    contents.clrUsed = 2;
    contents.colorTable = Ramp(8);
    contents.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
    contents.zeroOffBits = true;
    const Parsed parsed = Parse(BuildBmp(contents));
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.layout.header.clrUsed, 2u);
    EXPECT_EQ(parsed.layout.colorTable[4], contents.colorTable[4]);
    EXPECT_EQ(parsed.pixels, contents.pixels);

    // Beside bit-field masks the pixels start right after the masks.
    contents.bitCount = 32;
    contents.compression = 3;
    contents.masks = {0xFF0000, 0xFF00, 0xFF};
    const Parsed masked = Parse(BuildBmp(contents));
    ASSERT_TRUE(masked.ok);
    EXPECT_EQ(masked.layout.header.clrUsed, 0u);
    EXPECT_EQ(masked.pixels, contents.pixels);
}

TEST(BmpParser, CoreAndOs2HeadersReadLikeInfoHeaders)
{
    // The smallest core picture: 14 + 12 header bytes and one padded row.
    BmpContents core;
    core.headerSize = 12;
    core.width = 1;
    core.height = 1;
    core.pixels = {10, 20, 30, 0};
    const std::vector<uint8_t> tiny = BuildBmp(core);
    ASSERT_EQ(tiny.size(), 30u);
    const Parsed parsed = Parse(tiny);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.layout.header.bitCount, 24);
    EXPECT_EQ(parsed.pixels, core.pixels);
    EXPECT_FALSE(Parse(std::vector<uint8_t>(tiny.begin(), tiny.begin() + 25)).ok); // header cut short

    // OS/2 2.x files store their colours in four bytes; when the header
    // names no count, the pixel offset tells how many (bmpsuite's
    // pal8os2v2.bmp holds 252).
    for (int headerSize : {16, 64}) {
        for (size_t entries : {256, 252}) {
            BmpContents os2 = EightBit(3, 2);
            os2.headerSize = headerSize;
            os2.colorTable = Ramp(entries * 4);
            const Parsed os2Parsed = Parse(BuildBmp(os2));
            ASSERT_TRUE(os2Parsed.ok) << headerSize;
            EXPECT_EQ(os2Parsed.layout.header.clrUsed, entries);
            for (size_t entry : {size_t(1), entries - 1})
                for (size_t byte = 0; byte < 3; ++byte)
                    EXPECT_EQ(os2Parsed.layout.colorTable[entry * 4 + byte], os2.colorTable[entry * 4 + byte])
                        << headerSize << " " << entries << " " << entry;
            EXPECT_EQ(os2Parsed.pixels, os2.pixels) << headerSize;
        }
    }
}

TEST(BmpParser, DeepTablesKeepTheirFirst256Entries)
{
    for (bool zeroOffBits : {false, true}) {
        BmpContents contents;
        contents.width = 2;
        contents.height = 1;
        contents.clrUsed = 300;
        contents.colorTable = Ramp(300 * 4);
        contents.pixels = {1, 2, 3, 4, 5, 6, 0, 0};
        contents.zeroOffBits = zeroOffBits; // pixels right after the whole table
        const Parsed parsed = Parse(BuildBmp(contents));
        ASSERT_TRUE(parsed.ok) << zeroOffBits;
        EXPECT_EQ(parsed.layout.header.clrUsed, 256u);
        EXPECT_EQ(std::vector<uint8_t>(parsed.layout.colorTable, parsed.layout.colorTable + 1024), Ramp(1024));
        EXPECT_EQ(parsed.pixels, contents.pixels) << zeroOffBits;
    }

    // A table claiming more entries than the file holds leaves no room for
    // the pixels.
    BmpContents endless;
    endless.width = 1;
    endless.height = 1;
    endless.clrUsed = 0xFFFFFFFF;
    endless.colorTable = Ramp(16);
    endless.zeroOffBits = true;
    EXPECT_FALSE(Parse(BuildBmp(endless)).ok);
}
