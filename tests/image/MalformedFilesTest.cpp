// Hostile files through the whole loading path under Windows: every
// truncation of a small valid file of each format, and headers that ask for
// absurd sizes. Each load must end cleanly; absurd sizes must be refused
// before anything is allocated for them.
#include "image/ImageObject.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/GifEncoder.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <zlib.h>

using testing_support::TempFolder;

namespace {

void LoadEveryTruncation(const std::string& path, const std::vector<uint8_t>& file, int type)
{
    for (size_t length = 0; length <= file.size(); ++length) {
        WriteFileBytes(path, std::vector<uint8_t>(file.begin(), file.begin() + static_cast<long>(length)));
        CImageObject picture(path, type);
        if (picture.GetWidth() > 0) { // whatever loaded must be whole enough to draw and save
            ASSERT_TRUE(picture.IsValid()) << length;
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

TEST(MalformedFiles, AbsurdSizesAreRefusedInEveryFormat)
{
    TempFolder folder;
    BmpContents bmp;
    bmp.width = 50000;
    bmp.height = 50000;
    WriteFileBytes(folder.File("huge.bmp"), BuildBmp(bmp));
    EXPECT_EQ(CImageObject(folder.File("huge.bmp"), BMP).GetWidth(), 0);

    GifContents gif;
    gif.width = 65535;
    gif.height = 65535;
    gif.globalTable = RampTable(2);
    gif.minCodeSize = 2;
    gif.pixels.assign(8, 1);
    WriteFileBytes(folder.File("huge.gif"), EncodeGif(gif));
    EXPECT_EQ(CImageObject(folder.File("huge.gif"), GIF).GetWidth(), 0);

    ASSERT_TRUE(WriteTestPng(folder.File("small.png"), SmallColourPng()));
    std::vector<uint8_t> png = ReadFileBytes(folder.File("small.png"));
    Put32BigEndian(png, 16, 60000); // IHDR width and height
    Put32BigEndian(png, 20, 60000);
    Put32BigEndian(png, 29, static_cast<uint32_t>(crc32(0, png.data() + 12, 17)));
    WriteFileBytes(folder.File("huge.png"), png);
    EXPECT_EQ(CImageObject(folder.File("huge.png"), PNG).GetWidth(), 0);

    std::vector<uint8_t> samples(8 * 8 * 3, 90);
    ASSERT_TRUE(WriteTestJpeg(folder.File("small.jpg"), 8, 8, 3, samples));
    ASSERT_TRUE(WriteTestInkJpeg(folder.File("ink.jpg"), 8, 8, samples, InkStorage::AdobeCmyk));
    for (const char* name : {"small.jpg", "ink.jpg"}) {
        std::vector<uint8_t> jpeg = ReadFileBytes(folder.File(name));
        size_t frame = 0;
        while (frame + 1 < jpeg.size() && !(jpeg[frame] == 0xFF && jpeg[frame + 1] == 0xC0))
            ++frame;
        ASSERT_LT(frame + 9, jpeg.size());
        jpeg[frame + 5] = jpeg[frame + 7] = 0xFD; // 65000 x 65000
        jpeg[frame + 6] = jpeg[frame + 8] = 0xE8;
        WriteFileBytes(folder.File("huge.jpg"), jpeg);
        EXPECT_EQ(CImageObject(folder.File("huge.jpg"), JPG).GetWidth(), 0) << name;
    }
}
