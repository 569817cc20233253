#include "image/ImageObject.h"
#include "image/palette/DibPalette.h"
#include "image/png/PngImage.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

using testing_support::TempFolder;

namespace {

struct Rgb {
    int r, g, b;
};

// Colour of picture pixel x on line y counted from the top.
Rgb ColorAt(const CImageObject& picture, int x, int line)
{
    uint8_t r = 0, g = 0, b = 0;
    if (!picture.GetPixelColor(x, picture.GetHeight() - 1 - line, r, g, b))
        return {-1, -1, -1};
    return {r, g, b};
}

bool operator==(const Rgb& a, const Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

PngContents Paletted(int width, int height, int bitDepth)
{
    PngContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitDepth = bitDepth;
    contents.colorType = 3;
    const int colors = 1 << bitDepth;
    for (int i = 0; i < colors; ++i)
        contents.palette.insert(contents.palette.end(), {uint8_t(i * 255 / (colors - 1)), 100, uint8_t(255 - i)});
    const int rowBytes = (width * bitDepth + 7) / 8;
    for (int y = 0; y < height; ++y)
        for (int i = 0; i < rowBytes; ++i)
            contents.rows.push_back(static_cast<uint8_t>(0x1B * (y + 1) + i * 0x35));
    return contents;
}

PngContents Colour(int width, int height, bool alpha, int bitDepth = 8)
{
    PngContents contents;
    contents.width = width;
    contents.height = height;
    contents.bitDepth = bitDepth;
    contents.colorType = alpha ? 6 : 2;
    const int channels = alpha ? 4 : 3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                const int value = c == 3 ? (x == 0 ? 0 : 255) : (x * 40 + y * 20 + c * 70) % 256;
                for (int byte = 0; byte < bitDepth / 8; ++byte)
                    contents.rows.push_back(static_cast<uint8_t>(value));
            }
    return contents;
}

} // namespace

TEST(Png, PalettedFilesKeepDepthAndPalette)
{
    TempFolder folder;
    for (int depth : {1, 4, 8}) {
        const PngContents contents = Paletted(13, 3, depth);
        ASSERT_TRUE(WriteTestPng(folder.File("p.png"), contents));
        CImageObject picture(folder.File("p.png"), -1);
        ASSERT_EQ(picture.GetWidth(), 13) << depth;
        EXPECT_EQ(picture.GetBitCount(), depth);
        EXPECT_EQ(picture.GetColorType(), 3);
        EXPECT_EQ(picture.GetPalette()->GetEntryCount(), 1 << depth);
        const int rowBytes = (13 * depth + 7) / 8;
        // The top file row is the last array row, packed as in the file.
        const uint8_t* top = picture.GetBits() + 2 * picture.GetRowStride();
        EXPECT_EQ(0, memcmp(top, contents.rows.data(), static_cast<size_t>(rowBytes - 1))) << depth;
        const int usedBits = 13 * depth % 8 == 0 ? 8 : 13 * depth % 8;
        const uint8_t lastMask = static_cast<uint8_t>(0xFF << (8 - usedBits));
        EXPECT_EQ(top[rowBytes - 1] & lastMask, contents.rows[rowBytes - 1] & lastMask) << depth;
    }
}

TEST(Png, PalettedFilesShowTransparentEntriesOnTheBackgroundColour)
{
    // As colour files with alpha do (below): opaque, clear, half clear, no entry.
    TempFolder folder;
    PngContents contents = Paletted(4, 1, 8);
    contents.rows = {0, 1, 2, 3};
    contents.alphas = {255, 0, 128};
    ASSERT_TRUE(WriteTestPng(folder.File("clear.png"), contents));
    CImageObject picture(folder.File("clear.png"), PNG);
    ASSERT_EQ(picture.GetWidth(), 4);
    const Rgb expected[] = {{0, 100, 255}, {31, 127, 255}, {16, 113, 254}, {3, 100, 252}};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(ColorAt(picture, x, 0), expected[x]) << x;
}

TEST(Png, TwoBitFilesBecomeEightBitPictures)
{
    TempFolder folder;
    PngContents contents = Paletted(5, 2, 2);
    contents.rows = {0x1B, 0x00, 0xE4, 0x40}; // top: 0 1 2 3 0; bottom: 3 2 1 0 1
    ASSERT_TRUE(WriteTestPng(folder.File("two.png"), contents));
    CImageObject picture(folder.File("two.png"), PNG);
    ASSERT_EQ(picture.GetBitCount(), 8);
    EXPECT_EQ(picture.GetPalette()->GetEntryCount(), 4);
    const int expectedTop[] = {0, 1, 2, 3, 0};
    const int expectedBottom[] = {3, 2, 1, 0, 1};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(picture.GetPixelIndex(x, 1), expectedTop[x]) << x;
        EXPECT_EQ(picture.GetPixelIndex(x, 0), expectedBottom[x]) << x;
    }
}

TEST(Png, GreyFilesShowTheirLevels)
{
    TempFolder folder;
    PngContents grey8;
    grey8.width = 3;
    grey8.height = 1;
    grey8.colorType = 0;
    grey8.rows = {0, 77, 255};
    PngContents grey16 = grey8;
    grey16.bitDepth = 16;
    grey16.rows = {0, 0, 77, 0x10, 255, 255};
    PngContents grey1 = grey8;
    grey1.bitDepth = 1;
    grey1.rows = {0x20}; // 0, 0, 1
    int index = 0;
    for (const PngContents& contents : {grey8, grey16, grey1}) {
        const std::string path = folder.File("g" + std::to_string(index++) + ".png");
        ASSERT_TRUE(WriteTestPng(path, contents));
        CImageObject picture(path, PNG);
        ASSERT_EQ(picture.GetBitCount(), 8) << path;
        ASSERT_NE(picture.GetPalette(), nullptr);
        EXPECT_EQ(ColorAt(picture, 0, 0), (Rgb{0, 0, 0}));
        EXPECT_EQ(ColorAt(picture, 2, 0), (Rgb{255, 255, 255})) << path;
        if (contents.bitDepth != 1) {
            EXPECT_EQ(ColorAt(picture, 1, 0), (Rgb{77, 77, 77})) << path;
        }
    }
}

TEST(Png, AlphaIsCompositedOnTheBackgroundColour)
{
    TempFolder folder;
    ASSERT_TRUE(WriteTestPng(folder.File("rgba.png"), Colour(3, 2, true)));
    CImageObject rgba(folder.File("rgba.png"), PNG);
    ASSERT_EQ(rgba.GetBitCount(), 24);
    EXPECT_EQ(rgba.GetColorType(), 6);
    EXPECT_EQ(ColorAt(rgba, 0, 0), (Rgb{31, 127, 255}));
    EXPECT_EQ(ColorAt(rgba, 1, 1), (Rgb{60, 130, 200}));

    PngContents greyAlpha;
    greyAlpha.width = 2;
    greyAlpha.height = 1;
    greyAlpha.colorType = 4;
    greyAlpha.rows = {90, 0, 90, 255};
    ASSERT_TRUE(WriteTestPng(folder.File("ga.png"), greyAlpha));
    CImageObject grey(folder.File("ga.png"), PNG);
    ASSERT_EQ(grey.GetBitCount(), 24);
    EXPECT_EQ(ColorAt(grey, 0, 0), (Rgb{31, 127, 255}));
    EXPECT_EQ(ColorAt(grey, 1, 0), (Rgb{90, 90, 90}));

    PngContents greyKey; // grey with one transparent level (tRNS)
    greyKey.width = 2;
    greyKey.height = 1;
    greyKey.colorType = 0;
    greyKey.rows = {7, 90};
    greyKey.transparentGrey = 7;
    ASSERT_TRUE(WriteTestPng(folder.File("key.png"), greyKey));
    CImageObject keyed(folder.File("key.png"), PNG);
    ASSERT_EQ(keyed.GetBitCount(), 24);
    EXPECT_EQ(ColorAt(keyed, 0, 0), (Rgb{31, 127, 255}));
    EXPECT_EQ(ColorAt(keyed, 1, 0), (Rgb{90, 90, 90}));
}

TEST(Png, ColourFilesKeepTheirSuggestedPalette)
{
    // A colour file's PLTE suggests colours for palette displays; the picture
    // carries it for drawing while its pixels stay colours.
    TempFolder folder;
    PngContents contents = Colour(2, 1, false);
    contents.palette = {1, 2, 3, 200, 100, 50};
    ASSERT_TRUE(WriteTestPng(folder.File("suggested.png"), contents));
    CImageObject picture(folder.File("suggested.png"), PNG);
    ASSERT_EQ(picture.GetBitCount(), 24);
    ASSERT_NE(picture.GetPalette(), nullptr);
    EXPECT_EQ(picture.GetPalette()->GetEntryCount(), 2);
    EXPECT_EQ(picture.GetColorType() & 3, 3);
    EXPECT_EQ(ColorAt(picture, 1, 0), (Rgb{40, 110, 180}));
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(picture.SetPixelColor(1, 0, 9, 8, 7));
    ASSERT_TRUE(picture.GetPixelColor(1, 0, r, g, b));
    EXPECT_TRUE(r == 9 && g == 8 && b == 7);
}

TEST(Png, SixteenBitAndInterlacedFilesMatchTheirTwins)
{
    TempFolder folder;
    ASSERT_TRUE(WriteTestPng(folder.File("rgb8.png"), Colour(9, 7, false)));
    ASSERT_TRUE(WriteTestPng(folder.File("rgb16.png"), Colour(9, 7, false, 16)));
    PngContents laced = Colour(9, 7, false);
    laced.interlaced = true;
    ASSERT_TRUE(WriteTestPng(folder.File("laced.png"), laced));
    CImageObject plain(folder.File("rgb8.png"), PNG);
    CImageObject deep(folder.File("rgb16.png"), PNG);
    CImageObject interlaced(folder.File("laced.png"), PNG);
    ASSERT_EQ(deep.GetBitCount(), 24);
    ASSERT_EQ(interlaced.GetHeight(), 7);
    const size_t bytes = static_cast<size_t>(plain.GetRowStride()) * 7;
    EXPECT_EQ(0, memcmp(plain.GetBits(), deep.GetBits(), bytes));
    EXPECT_EQ(0, memcmp(plain.GetBits(), interlaced.GetBits(), bytes));
    EXPECT_EQ(ColorAt(plain, 2, 3), (Rgb{140, 210, 24}));
}

TEST(Png, PicturesRoundTripAndThePaletteIsWrittenClean)
{
    TempFolder folder;
    ASSERT_TRUE(WriteTestPng(folder.File("rgba.png"), Colour(4, 3, true)));
    CImageObject colour(folder.File("rgba.png"), PNG);
    ASSERT_EQ(colour.Save(folder.File("copy.png"), -1), 1); // a 24-bit picture still saying type 6
    CImageObject copy(folder.File("copy.png"), PNG);
    ASSERT_EQ(copy.GetWidth(), 4);
    EXPECT_EQ(0, memcmp(colour.GetBits(), copy.GetBits(), static_cast<size_t>(colour.GetRowStride()) * 3));

    CImageObject small;
    small.Create(3, 2, 8, -1);
    const uint8_t triples[] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    small.SetPalette(3, triples);
    small.SetPixelIndex(2, 1, 2);
    ASSERT_EQ(small.Save(folder.File("small.png"), -1), 1);
    const PngPalette written = ReadPngPalette(folder.File("small.png"));
    ASSERT_EQ(written.triples.size(), 256u * 3);
    EXPECT_EQ(written.triples[7], 80);
    for (size_t i = 9; i < written.triples.size(); ++i)
        ASSERT_EQ(written.triples[i], 0) << i;
    CImageObject back(folder.File("small.png"), PNG);
    EXPECT_EQ(back.GetPixelIndex(2, 1), 2);
}

TEST(Png, BrokenFilesLoadNothing)
{
    TempFolder folder;
    WriteFileBytes(folder.File("text.png"), std::vector<uint8_t>(64, 'x'));
    CImageObject text(folder.File("text.png"), PNG);
    EXPECT_EQ(text.GetWidth(), 0);
    CImageObject missing(folder.File("none.png"), PNG);
    EXPECT_EQ(missing.GetWidth(), 0);

    // A file large enough for its chunks' CRCs to be checked on a second
    // thread, whose first IDAT chunk keeps its data but not its CRC.
    PngContents noise = Colour(700, 600, false);
    uint32_t seed = 1;
    for (uint8_t& byte : noise.rows)
        byte = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 16);
    ASSERT_TRUE(WriteTestPng(folder.File("noise.png"), noise));
    ASSERT_EQ(CPngImage().Load(folder.File("noise.png")), 1);
    std::vector<uint8_t> bytes = ReadFileBytes(folder.File("noise.png"));
    size_t chunk = 8;
    while (chunk + 8 <= bytes.size() && std::memcmp(&bytes[chunk + 4], "IDAT", 4) != 0)
        chunk += 12 + (bytes[chunk] << 24 | bytes[chunk + 1] << 16 | bytes[chunk + 2] << 8 | bytes[chunk + 3]);
    const size_t crc =
        chunk + 8 + (bytes[chunk] << 24 | bytes[chunk + 1] << 16 | bytes[chunk + 2] << 8 | bytes[chunk + 3]);
    ASSERT_LT(crc, bytes.size());
    bytes[crc] ^= 1;
    WriteFileBytes(folder.File("crc.png"), bytes);
    EXPECT_EQ(CPngImage().Load(folder.File("crc.png")), 0);
}
