// Hostile files through the whole loading path under Windows: every
// truncation of a small valid file of each format, and headers that ask for
// absurd sizes. Each load must end cleanly; absurd sizes must be refused
// before anything is allocated for them.
#include "image/ImageObject.h"
#include "image/jpeg/JpegPreview.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <zlib.h>

using testing_support::TempFolder;

namespace {

// The colours of every pixel; empty when nothing loaded.
std::vector<uint8_t> Colours(const CImageObject& picture)
{
    std::vector<uint8_t> colours;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x) {
            uint8_t rgb[3] = {};
            picture.GetPixelColor(x, y, rgb[0], rgb[1], rgb[2]);
            colours.insert(colours.end(), rgb, rgb + 3);
        }
    return colours;
}

// A cut that loads at all (one that lost only trailing bytes) shows the
// whole picture: a half-read one is no picture.
void LoadEveryTruncation(const std::string& path, const std::vector<uint8_t>& file, int type)
{
    WriteFileBytes(path, file);
    const std::vector<uint8_t> whole = Colours(CImageObject(path, type));
    ASSERT_FALSE(whole.empty());
    for (size_t length = 0; length < file.size(); ++length) {
        WriteFileBytes(path, std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(length)));
        CImageObject picture(path, type);
        if (picture.GetWidth() > 0) { // whatever loaded must be whole enough to draw and save
            ASSERT_TRUE(picture.IsValid()) << length;
            ASSERT_EQ(Colours(picture), whole) << type << " cut to " << length << " of " << file.size();
            picture.Save(path + ".bmp", BMP);
        }
    }
}

void Put32BigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    bytes[at] = static_cast<uint8_t>(value >> 24);
    bytes[at + 1] = static_cast<uint8_t>(value >> 16);
    bytes[at + 2] = static_cast<uint8_t>(value >> 8);
    bytes[at + 3] = static_cast<uint8_t>(value);
}

PngContents SmallColourPng()
{
    PngContents contents;
    contents.width = 5;
    contents.height = 4;
    for (int i = 0; i < 5 * 4 * 3; ++i)
        contents.rows.push_back(static_cast<uint8_t>(i * 13));
    return contents;
}

// A file of `type` whose header declares width x height, with a few pixels
// of data at most: what a damaged or hostile file looks like.
std::vector<uint8_t> Declaring(int type, int width, int height, const TempFolder& folder)
{
    if (type == BMP) { // run-length coded, so the missing rows do not give it away
        BmpContents bmp;
        bmp.width = width;
        bmp.height = height;
        bmp.bitCount = 8;
        bmp.compression = 1;
        bmp.colorTable.assign(256 * 4, 0x40);
        bmp.pixels = {2, 5, 0, 1};
        return BuildBmp(bmp);
    }
    if (type == GIF) {
        GifContents gif;
        gif.width = width;
        gif.height = height;
        gif.globalTable = RampTable(2);
        gif.minCodeSize = 2;
        gif.pixels.assign(1, 1);
        return EncodeGif(gif);
    }
    std::vector<uint8_t> bytes;
    if (type == PNG) {
        EXPECT_TRUE(WriteTestPng(folder.File("small.png"), SmallColourPng()));
        bytes = ReadFileBytes(folder.File("small.png"));
        Put32BigEndian(bytes, 16, static_cast<uint32_t>(width)); // IHDR
        Put32BigEndian(bytes, 20, static_cast<uint32_t>(height));
        Put32BigEndian(bytes, 29, static_cast<uint32_t>(crc32(0, bytes.data() + 12, 17)));
        return bytes;
    }
    EXPECT_TRUE(WriteTestJpeg(folder.File("small.jpg"), 8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 90)));
    bytes = ReadFileBytes(folder.File("small.jpg"));
    size_t frame = 0;
    while (frame + 9 < bytes.size() && !(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC0))
        ++frame;
    bytes[frame + 5] = static_cast<uint8_t>(height >> 8);
    bytes[frame + 6] = static_cast<uint8_t>(height);
    bytes[frame + 7] = static_cast<uint8_t>(width >> 8);
    bytes[frame + 8] = static_cast<uint8_t>(width);
    return bytes;
}

} // namespace

TEST(MalformedFiles, EveryTruncationOfEveryFormatLoadsCleanly)
{
    TempFolder folder;
    BmpContents bmp;
    bmp.width = 5;
    bmp.height = 3;
    bmp.bitCount = 4;
    bmp.colorTable.assign(64, 0x33);
    bmp.pixels.assign(12, 0x12);
    LoadEveryTruncation(folder.File("t.bmp"), BuildBmp(bmp), BMP);

    GifContents gif;
    gif.width = 6;
    gif.height = 5;
    gif.globalTable = RampTable(16);
    gif.minCodeSize = 4;
    gif.transparentIndex = 0;
    gif.interlaced = true;
    for (int i = 0; i < 30; ++i)
        gif.pixels.push_back(static_cast<uint8_t>(i % 16));
    LoadEveryTruncation(folder.File("t.gif"), EncodeGif(gif), GIF);

    ASSERT_TRUE(WriteTestPng(folder.File("whole.png"), SmallColourPng()));
    LoadEveryTruncation(folder.File("t.png"), ReadFileBytes(folder.File("whole.png")), PNG);

    std::vector<uint8_t> samples(8 * 8 * 3, 90);
    ASSERT_TRUE(WriteTestJpeg(folder.File("whole.jpg"), 8, 8, 3, samples));
    LoadEveryTruncation(folder.File("t.jpg"), ReadFileBytes(folder.File("whole.jpg")), JPG);
    ASSERT_TRUE(WriteTestInkJpeg(folder.File("ink.jpg"), 8, 8, samples, InkStorage::AdobeYcck));
    LoadEveryTruncation(folder.File("t.jpg"), ReadFileBytes(folder.File("ink.jpg")), JPG);
}

TEST(MalformedFiles, PicturesBeyondTheSizeBoundAreRefusedInEveryFormatAndThePreview)
{
    TempFolder folder;
    const std::string path = folder.File("declared");
    struct Case {
        int type;
        int width;
        int height;
    };
    // A side over 32,768 pixels, or more than 256 megapixels.
    for (const Case& c : {Case{BMP, 22000, 22000}, Case{BMP, 32769, 4}, Case{GIF, 22000, 22000}, Case{GIF, 32769, 4},
                          Case{PNG, 32769, 4}, Case{PNG, 4, 40000}, Case{JPG, 22000, 22000}, Case{JPG, 4, 32769}}) {
        WriteFileBytes(path, Declaring(c.type, c.width, c.height, folder));
        EXPECT_EQ(CImageObject(path, c.type).GetWidth(), 0) << c.type << ": " << c.width << " x " << c.height;
        CImageObject preview;
        if (c.type == JPG)
            LoadJpegPreview(path, 200, 150, preview);
        EXPECT_EQ(preview.GetWidth(), 0) << c.width << " x " << c.height;
    }
    // A 200-megapixel phone photograph is no damaged file.
    CImageObject photograph;
    EXPECT_TRUE(photograph.Create(16320, 12240, 8, -1) && photograph.GetBits());
}
