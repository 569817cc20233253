#include "image/gif/GifParser.h"
#include "image/io/ByteReader.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/native/MemoryPicture.h"

#include <gtest/gtest.h>

namespace {

GifReadResult Read(const std::vector<uint8_t>& file, MemoryPicture& picture)
{
    ByteReader reader(file.data(), file.size());
    return ReadGif(reader, picture);
}

// A picture whose every line holds its own line number.
GifContents NumberedLines(int width, int height, bool interlaced)
{
    GifContents contents;
    contents.width = width;
    contents.height = height;
    contents.interlaced = interlaced;
    contents.globalTable = RampTable(256);
    for (int y = 0; y < height; ++y)
        contents.pixels.insert(contents.pixels.end(), static_cast<size_t>(width), static_cast<uint8_t>(y));
    return contents;
}

} // namespace

TEST(GifParser, BothVersionsAreReadAndOtherSignaturesRefused)
{
    for (const char* signature : {"GIF87a", "GIF89a"}) {
        GifContents contents = NumberedLines(3, 2, false);
        contents.signature = signature;
        MemoryPicture picture;
        EXPECT_EQ(Read(EncodeGif(contents), picture), GifReadResult::Read) << signature;
        EXPECT_EQ(picture.At(2, 1), 1);
    }
    MemoryPicture picture;
    EXPECT_EQ(Read({'G', 'I', 'F', '7', '9', 'a', 0, 0}, picture), GifReadResult::NotGif);
    EXPECT_EQ(Read({'G', 'I', 'F'}, picture), GifReadResult::NotGif);
    EXPECT_EQ(picture.createCount, 0);
}

TEST(GifParser, FirstDataRowIsTheTopOfThePicture)
{
    MemoryPicture picture;
    Read(EncodeGif(NumberedLines(5, 3, false)), picture);
    EXPECT_EQ(picture.rows.bits[2 * picture.rows.rowStride], 0); // last array row
    EXPECT_EQ(picture.rows.bits[0], 2);
}

TEST(GifParser, InterlacedLinesLandInTheirPlaces)
{
    for (int height : {1, 2, 3, 4, 5, 9, 17}) {
        MemoryPicture picture;
        Read(EncodeGif(NumberedLines(3, height, true)), picture);
        ASSERT_EQ(picture.rows.height, height);
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(picture.At(1, y), y) << "height " << height;
    }
    // Height 4 stores lines 0, 2, 1, 3: the second data row belongs on line 2.
    GifContents contents = NumberedLines(1, 4, false);
    contents.pixels = {10, 11, 12, 13}; // data rows in stored order
    std::vector<uint8_t> file = EncodeGif(contents);
    const size_t imageFlags = 13 + contents.globalTable.size() + 9;
    ASSERT_EQ(file[imageFlags - 9], 0x2C);
    file[imageFlags] |= 0x40;
    MemoryPicture picture;
    Read(file, picture);
    EXPECT_EQ(picture.At(0, 0), 10);
    EXPECT_EQ(picture.At(0, 2), 11);
    EXPECT_EQ(picture.At(0, 1), 12);
    EXPECT_EQ(picture.At(0, 3), 13);
}

TEST(GifParser, PaletteSizesFollowTheTableAndTransparency)
{
    GifContents two = NumberedLines(2, 2, false);
    two.globalTable = {0, 0, 0, 255, 255, 255};
    two.minCodeSize = 2;
    two.pixels = {0, 1, 1, 0};
    MemoryPicture plain;
    Read(EncodeGif(two), plain);
    EXPECT_EQ(plain.paletteSize, 2);
    EXPECT_EQ(plain.transparentIndex, -1);

    GifContents sixteen = two;
    sixteen.globalTable = RampTable(16);
    sixteen.minCodeSize = 4;
    sixteen.transparentIndex = 3;
    MemoryPicture transparent;
    Read(EncodeGif(sixteen), transparent);
    EXPECT_EQ(transparent.transparentIndex, 3);
    ASSERT_EQ(transparent.paletteSize, 256);
    EXPECT_EQ(transparent.reds[2], 2);
    EXPECT_EQ(transparent.greens[2], 253);
    EXPECT_EQ(transparent.reds[3] | transparent.greens[3] | transparent.blues[3], 0);
    for (int i = 16; i < 256; ++i)
        ASSERT_TRUE(transparent.reds[i] == 255 && transparent.greens[i] == 255 && transparent.blues[i] == 255) << i;
}

TEST(GifParser, FullTablesGetAWhiteEntryForMaskedDrawing)
{
    uint8_t reds[256], greens[256], blues[256];
    std::vector<uint8_t> table = RampTable(256); // holds no white
    EXPECT_EQ(BuildGifPalette(table.data(), 256, 9, reds, greens, blues), 256);
    EXPECT_TRUE(reds[255] == 255 && greens[255] == 255 && blues[255] == 255);
    EXPECT_EQ(reds[254], 254);

    table[100 * 3] = table[100 * 3 + 1] = table[100 * 3 + 2] = 255;
    BuildGifPalette(table.data(), 256, 9, reds, greens, blues);
    EXPECT_EQ(reds[255], 255);
    EXPECT_EQ(greens[255], 0); // kept: white already present

    // White is looked for before the transparent entry turns black: when
    // that entry was the only white, entry 255 keeps its colour.
    BuildGifPalette(table.data(), 256, 100, reds, greens, blues);
    EXPECT_EQ(reds[100], 0);
    EXPECT_EQ(greens[255], 0);

    EXPECT_EQ(BuildGifPalette(table.data(), 256, -1, reds, greens, blues), 256);
    EXPECT_EQ(BuildGifPalette(table.data(), 8, -1, reds, greens, blues), 8);
}

TEST(GifParser, LocalTableReplacesTheGlobalOne)
{
    GifContents contents = NumberedLines(2, 1, false);
    contents.globalTable = RampTable(4);
    contents.localTable = {9, 9, 9, 8, 8, 8};
    contents.minCodeSize = 2;
    MemoryPicture picture;
    Read(EncodeGif(contents), picture);
    EXPECT_EQ(picture.paletteSize, 2);
    EXPECT_EQ(picture.reds[1], 8);
}

TEST(GifParser, GraphicControlOfTheWrongSizeEndsTheFileBeforeTheImage)
{
    GifContents contents = NumberedLines(2, 2, false);
    contents.transparentIndex = 1;
    std::vector<uint8_t> file = EncodeGif(contents);
    const size_t control = 13 + contents.globalTable.size();
    ASSERT_EQ(file[control + 1], 0xF9);
    file[control + 2] = 5;
    MemoryPicture picture;
    EXPECT_EQ(Read(file, picture), GifReadResult::Read);
    EXPECT_EQ(picture.createCount, 0);
}

TEST(GifParser, NoTableMeansNoPalette)
{
    GifContents contents = NumberedLines(2, 2, false);
    contents.globalTable.clear();
    MemoryPicture picture;
    Read(EncodeGif(contents), picture);
    EXPECT_EQ(picture.paletteSize, -1);
    EXPECT_EQ(picture.At(0, 1), 1);
}
