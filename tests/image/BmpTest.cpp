#include "image/ImageObject.h"
#include "image/bmp/DibFile.h"
#include "image/palette/DibPalette.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using testing_support::TempFolder;

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

BmpContents EightBit(int width, int height)
{
    BmpContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitCount = 8;
    for (int i = 0; i < 256; ++i)
        contents.colorTable.insert(contents.colorTable.end(), {uint8_t(i), uint8_t(i / 2), uint8_t(255 - i), 0});
    for (int i = 0; i < StrideOf(8, width) * height; ++i)
        contents.pixels.push_back(static_cast<uint8_t>(i));
    return contents;
}

} // namespace

TEST(Bmp, CoreHeaderLoadsAndSavesWithAnInfoHeader)
{
    TempFolder folder;
    BmpContents contents = EightBit(3, 2);
    contents.headerSize = 12;
    contents.colorTable.clear();
    for (int i = 0; i < 256; ++i)
        contents.colorTable.insert(contents.colorTable.end(), {uint8_t(i), 7, uint8_t(255 - i)});
    WriteFileBytes(folder.File("core.bmp"), BuildBmp(contents));
    CImageObject picture(folder.File("core.bmp"), -1);
    ASSERT_EQ(picture.GetWidth(), 3);
    EXPECT_EQ(picture.GetColorType(), 3);
    EXPECT_EQ(picture.GetPalette()->GetEntryCount(), 256);
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(picture.GetPixelColor(1, 0, r, g, b)); // index 1
    EXPECT_EQ(r, 254);
    EXPECT_EQ(b, 1);

    ASSERT_EQ(picture.Save(folder.File("saved.bmp"), -1), 1);
    const std::vector<uint8_t> saved = ReadFileBytes(folder.File("saved.bmp"));
    ASSERT_EQ(saved.size(), 14u + 40 + 1024 + 8);
    EXPECT_EQ(Read32(saved, 14), 40u);
    EXPECT_EQ(Read32(saved, 2), saved.size());     // bfSize
    EXPECT_EQ(Read32(saved, 10), 14u + 40 + 1024); // bfOffBits
    EXPECT_EQ(saved[54 + 1 * 4 + 2], 254);         // colours again, not palette indices
    EXPECT_EQ(saved[54 + 1 * 4 + 1], 7);
}

TEST(Bmp, BareDibLoadsLikeTheFileItCameFrom)
{
    TempFolder folder;
    BmpContents contents = EightBit(5, 3);
    WriteFileBytes(folder.File("file.bmp"), BuildBmp(contents));
    contents.fileHeader = false;
    WriteFileBytes(folder.File("bare.bmp"), BuildBmp(contents));
    CImageObject file(folder.File("file.bmp"), BMP);
    CImageObject bare(folder.File("bare.bmp"), BMP);
    ASSERT_EQ(bare.GetWidth(), 5);
    EXPECT_EQ(0, memcmp(file.GetBits(), bare.GetBits(), 24));
}

TEST(Bmp, DepthDecidesThePalette)
{
    TempFolder folder;
    BmpContents deep;
    deep.width = 1;
    deep.height = 3;
    deep.pixels = {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0};
    WriteFileBytes(folder.File("deep.bmp"), BuildBmp(deep));
    CImageObject picture(folder.File("deep.bmp"), BMP);
    ASSERT_EQ(picture.GetHeight(), 3);
    EXPECT_EQ(picture.GetPalette(), nullptr);
    EXPECT_EQ(picture.GetColorType(), 0);
    EXPECT_EQ(picture.GetRowStride(), 4);
    EXPECT_EQ(picture.GetImpl()->GetDib()->biSizeImage, 12u);

    BmpContents eight = EightBit(2, 2);
    eight.clrUsed = 0;
    WriteFileBytes(folder.File("eight.bmp"), BuildBmp(eight));
    CImageObject paletted(folder.File("eight.bmp"), BMP);
    EXPECT_EQ(paletted.GetImpl()->GetDib()->biClrUsed, 256u);
    EXPECT_EQ(paletted.GetPalette()->GetEntryCount(), 256);
}

TEST(Bmp, DeepPicturesKeepTheirOptionalColourTable)
{
    // A 24-bit file may name colours for palette displays: the picture draws
    // through them there, and a save writes them back.
    TempFolder folder;
    BmpContents contents;
    contents.width = 1;
    contents.height = 1;
    contents.clrUsed = 2;
    contents.colorTable = {10, 20, 30, 0, 40, 50, 60, 0};
    contents.pixels = {200, 100, 50, 0};
    const std::vector<uint8_t> original = BuildBmp(contents);
    WriteFileBytes(folder.File("hinted.bmp"), original);
    CImageObject picture(folder.File("hinted.bmp"), BMP);
    ASSERT_EQ(picture.GetBitCount(), 24);
    ASSERT_NE(picture.GetPalette(), nullptr);
    EXPECT_EQ(picture.GetPalette()->GetEntryCount(), 2);
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(picture.GetPixelColor(0, 0, r, g, b));
    EXPECT_TRUE(r == 50 && g == 100 && b == 200);
    std::unique_ptr<CBitmap> shown = picture.MakeDeviceBitmap();
    OwnedDc memory(CreateCompatibleDC(nullptr));
    ScopedSelectObject select(memory.Get(), shown->GetHandle());
    EXPECT_EQ(GetPixel(memory.Get(), 0, 0), RGB(50, 100, 200));

    ASSERT_EQ(picture.Save(folder.File("again.bmp"), -1), 1);
    const std::vector<uint8_t> saved = ReadFileBytes(folder.File("again.bmp"));
    ASSERT_EQ(saved.size(), original.size());
    EXPECT_TRUE(std::equal(original.begin() + 54, original.end(), saved.begin() + 54));
}

TEST(Bmp, TopDownAndLongHeadersLoadTheRightWayUp)
{
    TempFolder folder;
    for (int headerSize : {40, 56, 108, 124}) {
        BmpContents contents;
        contents.headerSize = headerSize;
        contents.width = 1;
        contents.height = -2; // top row first: red, then blue
        contents.pixels = {0, 0, 255, 0, 255, 0, 0, 0};
        WriteFileBytes(folder.File("top.bmp"), BuildBmp(contents));
        CImageObject picture(folder.File("top.bmp"), BMP);
        ASSERT_EQ(picture.GetHeight(), 2) << headerSize;
        EXPECT_GT(picture.GetImpl()->GetDib()->biHeight, 0);
        uint8_t r = 0, g = 0, b = 0;
        picture.GetPixelColor(0, 1, r, g, b); // top row
        EXPECT_EQ(r, 255) << headerSize;
        picture.GetPixelColor(0, 0, r, g, b);
        EXPECT_EQ(b, 255) << headerSize;
    }
}

TEST(Bmp, RowsGoByThePictureSizeNotTheStatedByteCount)
{
    TempFolder folder;
    BmpContents contents = EightBit(16, 16);
    contents.sizeImage = 10;
    WriteFileBytes(folder.File("stated.bmp"), BuildBmp(contents));
    CImageObject picture(folder.File("stated.bmp"), BMP);
    ASSERT_EQ(picture.GetWidth(), 16);
    EXPECT_EQ(picture.GetImpl()->GetDib()->biSizeImage, 256u);
    EXPECT_EQ(picture.GetPixelIndex(15, 15), contents.pixels[255]);
}

TEST(Bmp, PathsLongerThanTheOldFileCallsTakeWork)
{
    TempFolder folder;
    std::string path = folder.Path();
    while (path.size() < 180) {
        path += "\\a_rather_long_folder_name";
        CreateDirectoryA(path.c_str(), nullptr);
    }
    path += "\\picture.bmp";
    WriteFileBytes(path, BuildBmp(EightBit(2, 2)));
    CImageObject picture(path, -1);
    ASSERT_EQ(picture.GetWidth(), 2);
    const std::string copy = path.substr(0, path.size() - 4) + "_copy.bmp";
    EXPECT_EQ(picture.Save(copy, -1), 1);
    EXPECT_EQ(CImageObject(copy, -1).GetWidth(), 2);
}

TEST(Bmp, RleDataIsWrittenBackUnchanged)
{
    TempFolder folder;
    BmpContents contents = EightBit(4, 2);
    contents.compression = 1; // BI_RLE8
    contents.pixels = {4, 9, 0, 0, 2, 3, 2, 5, 0, 1};
    contents.sizeImage = static_cast<uint32_t>(contents.pixels.size());
    const std::vector<uint8_t> original = BuildBmp(contents);
    WriteFileBytes(folder.File("rle.bmp"), original);
    CImageObject picture(folder.File("rle.bmp"), BMP);
    ASSERT_EQ(picture.GetWidth(), 4);
    EXPECT_EQ(picture.GetPixelIndex(0, 0), -1); // no pixel access on compressed data
    ASSERT_EQ(picture.Save(folder.File("again.bmp"), -1), 1);
    const std::vector<uint8_t> saved = ReadFileBytes(folder.File("again.bmp"));
    ASSERT_EQ(saved.size(), original.size());
    EXPECT_TRUE(std::equal(original.begin() + 14 + 40, original.end(), saved.begin() + 14 + 40));
    EXPECT_EQ(Read32(saved, 14 + 16), 1u);
}

TEST(Bmp, LargeBlocksAreWrittenInChunksOf32768Bytes)
{
    std::vector<uint8_t> buffer(70000);
    auto chunksFor = [&buffer](size_t count) {
        std::vector<size_t> chunks;
        WriteInChunks(
            [&chunks](const uint8_t*, size_t n) {
                chunks.push_back(n);
                return n;
            },
            buffer.data(), count);
        return chunks;
    };
    EXPECT_EQ(chunksFor(32768), (std::vector<size_t>{32768}));
    EXPECT_EQ(chunksFor(32769), (std::vector<size_t>{32768, 1}));
    EXPECT_EQ(chunksFor(65536), (std::vector<size_t>{32768, 32768}));
    EXPECT_EQ(chunksFor(100), (std::vector<size_t>{100}));
    const size_t failed = WriteInChunks([](const uint8_t*, size_t n) { return n - 1; }, buffer.data(), 40000);
    EXPECT_EQ(failed, 0u);
}

TEST(Bmp, MissingAndForeignFilesLoadNothing)
{
    TempFolder folder;
    CImageObject missing(folder.File("none.bmp"), BMP);
    EXPECT_EQ(missing.GetWidth(), 0);
    WriteFileBytes(folder.File("text.bmp"), std::vector<uint8_t>(100, 'x'));
    CImageObject text(folder.File("text.bmp"), BMP);
    EXPECT_EQ(text.GetWidth(), 0);
    EXPECT_FALSE(text.IsValid());
}

TEST(Bmp, PictureOfAMonochromeBitmapSavesItsColourTable)
{
    // GDI's GetDIBits leaves biClrUsed 0 in the header it fills in, so the
    // writer has to count the table from the depth.
    TempFolder folder;
    CBitmap bitmap(CreateBitmap(8, 2, 1, 1, nullptr));
    {
        OwnedDc memory(CreateCompatibleDC(nullptr));
        ScopedSelectObject select(memory.Get(), bitmap.GetHandle());
        PatBlt(memory.Get(), 0, 0, 8, 2, WHITENESS);
        SetPixel(memory.Get(), 0, 0, RGB(0, 0, 0));
    }
    CImageObject picture(bitmap);
    ASSERT_EQ(picture.GetBitCount(), 1);
    ASSERT_EQ(picture.Save(folder.File("mono.bmp"), -1), 1);
    const std::vector<uint8_t> saved = ReadFileBytes(folder.File("mono.bmp"));
    ASSERT_EQ(saved.size(), 14u + 40 + 2 * 4 + 8);
    EXPECT_EQ(Read32(saved, 2), saved.size());      // bfSize
    EXPECT_EQ(Read32(saved, 10), 14u + 40 + 2 * 4); // bfOffBits

    CImageObject back(folder.File("mono.bmp"), BMP);
    EXPECT_EQ(back.GetPixelIndex(0, 1), 0); // top-left
    EXPECT_EQ(back.GetPixelIndex(1, 1), 1);
}

TEST(Bmp, PicturesWithoutPaletteAreWrittenWithTheDefaultPalette)
{
    TempFolder folder;
    CImageObject picture;
    picture.Create(4, 2, 8, -1);
    ASSERT_EQ(picture.GetPalette(), nullptr);
    ASSERT_EQ(picture.Save(folder.File("plain.bmp"), -1), 1);
    const std::vector<uint8_t> saved = ReadFileBytes(folder.File("plain.bmp"));
    ASSERT_EQ(saved.size(), 14u + 40 + 1024 + 8);

    PALETTEENTRY stock[20] = {};
    ASSERT_EQ(GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, stock), 20u);
    std::vector<uint8_t> expected(1024, 0); // entries the palette lacks are black
    for (int i = 0; i < 20; ++i) {
        expected[i * 4] = stock[i].peBlue;
        expected[i * 4 + 1] = stock[i].peGreen;
        expected[i * 4 + 2] = stock[i].peRed;
    }
    EXPECT_EQ(std::vector<uint8_t>(saved.begin() + 54, saved.begin() + 54 + 1024), expected);
}
