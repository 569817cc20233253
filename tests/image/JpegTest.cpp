#include "image/ImageObject.h"
#include "image/jpeg/JpegFullColour.h"
#include "image/jpeg/JpegPreview.h"
#include "image/palette/DibPalette.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/TurnedPictures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using testing_support::TempFolder;

namespace {

// Top half red, bottom half blue.
std::vector<uint8_t> RedOverBlue(int width, int height)
{
    std::vector<uint8_t> samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            samples.insert(samples.end(), {uint8_t(y < height / 2 ? 255 : 0), 0, uint8_t(y < height / 2 ? 0 : 255)});
    return samples;
}

bool Near(int a, int b)
{
    return std::abs(a - b) <= 24;
}

} // namespace

TEST(Jpeg, GreyFilesGetTheFullGreyPalette)
{
    TempFolder folder;
    std::vector<uint8_t> samples(16 * 8);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<uint8_t>(i * 2);
    ASSERT_TRUE(WriteTestJpeg(folder.File("grey.jpg"), 16, 8, 1, samples));
    CImageObject picture(folder.File("grey.jpg"), JPG);
    ASSERT_EQ(picture.GetWidth(), 16);
    EXPECT_EQ(picture.GetBitCount(), 8);
    EXPECT_EQ(picture.GetColorType(), 3);
    ASSERT_EQ(picture.GetPalette()->GetEntryCount(), 256);
    uint8_t r = 0, g = 0, b = 0;
    picture.GetPalette()->GetEntry(100, r, g, b);
    EXPECT_TRUE(r == 100 && g == 100 && b == 100);
}

TEST(Jpeg, ColourFilesAreQuantisedTopRowFirst)
{
    TempFolder folder;
    ASSERT_TRUE(WriteTestJpeg(folder.File("c.jpg"), 16, 16, 3, RedOverBlue(16, 16)));
    CImageObject picture(folder.File("c.jpg"), JPG);
    ASSERT_EQ(picture.GetHeight(), 16);
    EXPECT_EQ(picture.GetBitCount(), 8);
    EXPECT_LE(picture.GetPalette()->GetEntryCount(), 128);
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(picture.GetPixelColor(3, 15, r, g, b)); // last array row = top
    EXPECT_TRUE(Near(r, 255) && Near(b, 0)) << int(r) << " " << int(b);
    ASSERT_TRUE(picture.GetPixelColor(3, 0, r, g, b));
    EXPECT_TRUE(Near(r, 0) && Near(b, 255)) << int(r) << " " << int(b);
}

TEST(Jpeg, SavedPicturesKeepRedAsRed)
{
    TempFolder folder;
    CImageObject deep;
    deep.Create(16, 16, 24, -1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            deep.SetPixelColor(x, y, x < 8 ? 255 : 0, 0, x < 8 ? 0 : 255);
    ASSERT_EQ(deep.Save(folder.File("deep.jpg"), -1), 1);
    CImageObject back(folder.File("deep.jpg"), JPG);
    ASSERT_EQ(back.GetWidth(), 16);
    uint8_t r = 0, g = 0, b = 0;
    back.GetPixelColor(1, 5, r, g, b);
    EXPECT_TRUE(Near(r, 255) && Near(b, 0)) << int(r) << " " << int(b);
    back.GetPixelColor(14, 5, r, g, b);
    EXPECT_TRUE(Near(r, 0) && Near(b, 255)) << int(r) << " " << int(b);

    // The paletted picture just read goes out through its palette.
    ASSERT_EQ(back.Save(folder.File("again.jpg"), -1), 1);
    CImageObject again(folder.File("again.jpg"), JPG);
    again.GetPixelColor(1, 5, r, g, b);
    EXPECT_TRUE(Near(r, 255) && Near(b, 0));
}

TEST(Jpeg, ForeignAndCutFiles)
{
    TempFolder folder;
    WriteFileBytes(folder.File("text.jpg"), std::vector<uint8_t>(300, 'x'));
    CImageObject text(folder.File("text.jpg"), JPG);
    EXPECT_EQ(text.GetWidth(), 0);
    EXPECT_EQ(text.GetHeight(), 0);

    std::vector<uint8_t> noise(64 * 64 * 3);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>(i * 2654435761u >> 13);
    ASSERT_TRUE(WriteTestJpeg(folder.File("whole.jpg"), 64, 64, 3, noise));
    std::vector<uint8_t> bytes = ReadFileBytes(folder.File("whole.jpg"));
    ASSERT_GT(bytes.size(), 4000u);
    bytes.resize(bytes.size() - 2000); // cut inside the scan: the library would pad what is missing
    WriteFileBytes(folder.File("cut.jpg"), bytes);
    CImageObject cut(folder.File("cut.jpg"), JPG);
    EXPECT_EQ(cut.GetWidth(), 0);
    EXPECT_EQ(cut.GetImpl()->Load(""), 0);
}

TEST(Jpeg, InkFilesShowTheColoursOfThePicture)
{
    // Blocks of 16 x 16 pixels, four across, two down.
    const uint8_t colours[8][3] = {{255, 0, 0},   {0, 255, 0},     {0, 0, 255}, {255, 255, 0},
                                   {255, 128, 0}, {128, 128, 128}, {0, 0, 0},   {255, 255, 255}};
    std::vector<uint8_t> samples;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            samples.insert(samples.end(), colours[(y / 16) * 4 + x / 16], colours[(y / 16) * 4 + x / 16] + 3);

    TempFolder folder;
    for (InkStorage form : {InkStorage::AdobeCmyk, InkStorage::AdobeYcck, InkStorage::PlainCmyk}) {
        const int formNumber = static_cast<int>(form);
        ASSERT_TRUE(WriteTestInkJpeg(folder.File("ink.jpg"), 64, 32, samples, form));
        CImageObject picture(folder.File("ink.jpg"), JPG);
        ASSERT_EQ(picture.GetWidth(), 64) << formNumber;
        ASSERT_EQ(picture.GetHeight(), 32);
        EXPECT_EQ(picture.GetBitCount(), 8);
        EXPECT_LE(picture.GetPalette()->GetEntryCount(), 128);
        for (int block = 0; block < 8; ++block) {
            uint8_t r = 0, g = 0, b = 0;
            const int x = (block % 4) * 16 + 8;
            const int line = (block / 4) * 16 + 8;
            ASSERT_TRUE(picture.GetPixelColor(x, 31 - line, r, g, b));
            EXPECT_TRUE(Near(r, colours[block][0]) && Near(g, colours[block][1]) && Near(b, colours[block][2]))
                << "form " << formNumber << " block " << block << ": " << int(r) << " " << int(g) << " " << int(b);
        }
    }
}

// Every way a JPEG or PNG file is read, with the upright width it gives and
// how far its colours may stray: dithering moves a pixel by up to about 12
// either way, while a quadrant left unconverted is 25 or more away.
struct Reading {
    const char* name;
    TurnedKind kind;
    std::function<void(const std::string&, CImageObject&)> load;
    int width;
    int tolerance;
};

const Reading kReadings[] = {
    {"128 colours", TurnedKind::JpegColour, [](auto& path, auto& picture) { picture.Load(path, JPG); }, 64, 16},
    {"full colour", TurnedKind::JpegColour, [](auto& path, auto& picture) { LoadJpegFullColour(path, picture); }, 64,
     8},
    // A frame of half the upright size is covered at half the scale.
    {"preview", TurnedKind::JpegColour,
     [](auto& path, auto& picture) { EXPECT_EQ(64, LoadJpegPreview(path, 32, 16, picture).fileWidth); }, 32, 16},
    {"grey", TurnedKind::JpegGrey, [](auto& path, auto& picture) { picture.Load(path, JPG); }, 64, 8},
    {"PNG", TurnedKind::PngColour, [](auto& path, auto& picture) { picture.Load(path, PNG); }, 64, 1},
    {"4-bit PNG", TurnedKind::PngFourBit, [](auto& path, auto& picture) { picture.Load(path, PNG); }, 64, 1},
};

TEST(JpegAndPng, TurnedFilesAreReadUprightEveryWay)
{
    TempFolder folder;
    for (const Reading& reading : kReadings) {
        const std::string path = folder.File(reading.kind >= TurnedKind::PngColour ? "turned.png" : "turned.jpg");
        for (int orientation = 1; orientation <= 8; ++orientation) {
            ASSERT_TRUE(WriteTurnedPicture(path, reading.kind, orientation, ExifBlock(orientation, orientation % 2)));
            CImageObject picture;
            reading.load(path, picture);
            EXPECT_TRUE(IsUpright(picture, reading.kind, reading.width)) << reading.name << " " << orientation;
        }
    }
}

TEST(Jpeg, DamagedExifBlocksLeaveThePictureAsStored)
{
    const std::vector<uint8_t> whole = ExifBlock(6);
    // Cut before the whole entry is in, or one byte spoilt: the byte order,
    // the directory's place (twice), the value's type and count, the value.
    std::vector<std::vector<uint8_t>> blocks;
    for (size_t size = 0; size < 22; ++size)
        blocks.emplace_back(whole.begin(), whole.begin() + size);
    for (const size_t at : {1, 4, 7, 13, 17, 19}) {
        blocks.push_back(whole);
        blocks.back()[at] = 0xFF;
    }
    // No entries, and a next directory that is this one again.
    blocks.push_back({'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0, 0, 0, 0, 8});

    TempFolder folder;
    const std::string path = folder.File("damaged.jpg");
    for (size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_TRUE(WriteTurnedPicture(path, TurnedKind::JpegColour, 1, blocks[i]));
        const CImageObject picture(path, JPG);
        EXPECT_TRUE(IsUpright(picture, TurnedKind::JpegColour)) << "block " << i;
    }
}

TEST(JpegAndPng, ProfilesTurnColoursIntoSrgbEveryWayAndAnSrgbOrRefusedOneChangesNothing)
{
    TempFolder folder;
    const std::vector<uint8_t> adobe = MakeProfile(TestProfile::AdobeRgb);
    // Two that convert; then sRGB and, in a JPEG (libpng keeps them out of a
    // PNG), two Little CMS refuses, which change nothing.
    const std::vector<std::vector<uint8_t>> profiles = {
        adobe, MakeProfile(TestProfile::DisplayP3), MakeProfile(TestProfile::Srgb),
        std::vector<uint8_t>(adobe.begin(), adobe.begin() + 200), std::vector<uint8_t>(300, 'x')};
    for (const Reading& reading : kReadings) {
        if (reading.kind == TurnedKind::JpegGrey)
            continue;
        const bool png = reading.kind >= TurnedKind::PngColour;
        const std::string tagged = folder.File(png ? "tagged.png" : "tagged.jpg");
        ASSERT_TRUE(WriteTurnedPicture(folder.File(png ? "p.png" : "p.jpg"), reading.kind, 1, ExifBlock(1)));
        CImageObject untagged;
        reading.load(folder.File(png ? "p.png" : "p.jpg"), untagged);
        EXPECT_FALSE(IsUpright(untagged, reading.kind, reading.width, adobe, reading.tolerance)) << reading.name;
        for (size_t i = 0; i < (png ? 3u : 5u); ++i) {
            ASSERT_TRUE(WriteTurnedPicture(tagged, reading.kind, 1, ExifBlock(1), profiles[i]));
            CImageObject picture;
            reading.load(tagged, picture);
            EXPECT_TRUE(i < 2 ? IsUpright(picture, reading.kind, reading.width, profiles[i], reading.tolerance)
                              : SameColours(picture, untagged))
                << reading.name << " " << i;
        }
    }
}
