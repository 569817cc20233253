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

TEST(Jpeg, TurnedFilesAreReadUprightInEveryPath)
{
    TempFolder folder;
    const std::string path = folder.File("turned.jpg");
    for (const TurnedKind kind : {TurnedKind::JpegColour, TurnedKind::JpegGrey}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::string which =
                "orientation " + std::to_string(orientation) + (kind == TurnedKind::JpegGrey ? " grey" : "");
            ASSERT_TRUE(WriteTurnedPicture(path, kind, orientation, ExifBlock(orientation, orientation % 2 == 0)));
            const CImageObject quantised(path, JPG);
            EXPECT_EQ("", UprightMismatch(quantised, kind)) << which;
            CImageObject full;
            ASSERT_TRUE(LoadJpegFullColour(path, full)) << which;
            EXPECT_EQ("", UprightMismatch(full, kind)) << which << " in full colour";
            // A frame of half the upright size is covered at half the scale.
            CImageObject preview;
            const JpegPreview read = LoadJpegPreview(path, 32, 16, preview);
            EXPECT_TRUE(read.fileWidth == 64 && read.fileHeight == 32) << which;
            EXPECT_EQ("", UprightMismatch(preview, kind, 32)) << which << " preview";
        }
    }
}

TEST(Jpeg, DamagedExifBlocksLeaveThePictureAsStored)
{
    const std::vector<uint8_t> whole = ExifBlock(6);
    std::vector<std::vector<uint8_t>> blocks;
    // Cut before the whole entry is in.
    for (size_t size = 0; size < 22; ++size)
        blocks.emplace_back(whole.begin(), whole.begin() + size);
    const auto changed = [&](size_t at, std::initializer_list<uint8_t> bytes) {
        std::vector<uint8_t> block = whole;
        std::copy(bytes.begin(), bytes.end(), block.begin() + at);
        blocks.push_back(block);
    };
    changed(0, {'M', 'I'});               // no byte order
    changed(4, {0xFF, 0xFF, 0xFF, 0xF0}); // a directory far past the end
    changed(4, {0, 0, 0, 4});             // a directory inside the header
    changed(12, {0, 2});                  // text, not a number
    changed(14, {0, 0, 0, 2});            // two values
    changed(18, {0, 9});                  // no orientation
    changed(18, {0, 0});
    // No entries, and a next directory that is this one again.
    blocks.push_back({'M', 'M', 0, 42, 0, 0, 0, 8, 0, 0, 0, 0, 0, 8});

    TempFolder folder;
    const std::string path = folder.File("damaged.jpg");
    for (size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_TRUE(WriteTurnedPicture(path, TurnedKind::JpegColour, 1, blocks[i]));
        const CImageObject picture(path, JPG);
        EXPECT_EQ("", UprightMismatch(picture, TurnedKind::JpegColour)) << "block " << i;
    }
}

TEST(Jpeg, ProfilesTurnColoursIntoSrgbAndAnSrgbOrRefusedOneChangesNothing)
{
    TempFolder folder;
    const std::string plain = folder.File("plain.jpg");
    const std::string tagged = folder.File("tagged.jpg");
    const TurnedKind kind = TurnedKind::JpegColour;
    ASSERT_TRUE(WriteTurnedPicture(plain, kind, 1, ExifBlock(1)));
    const CImageObject plainQuantised(plain, JPG);
    CImageObject plainFull;
    ASSERT_TRUE(LoadJpegFullColour(plain, plainFull));
    for (const TestProfile which : {TestProfile::AdobeRgb, TestProfile::DisplayP3}) {
        const std::vector<uint8_t> profile = MakeProfile(which);
        ASSERT_TRUE(WriteTurnedPicture(tagged, kind, 1, ExifBlock(1), profile));
        const CImageObject quantised(tagged, JPG);
        CImageObject full;
        ASSERT_TRUE(LoadJpegFullColour(tagged, full));
        CImageObject preview;
        LoadJpegPreview(tagged, 32, 16, preview);
        const int number = static_cast<int>(which);
        // Dithering moves a quantised pixel by up to about 12 either way;
        // unconverted, a quadrant is 25 or more away.
        EXPECT_EQ("", UprightMismatch(quantised, kind, 64, profile, 16)) << number;
        EXPECT_EQ("", UprightMismatch(preview, kind, 32, profile, 16)) << number;
        EXPECT_EQ("", UprightMismatch(full, kind, 64, profile, 8)) << number;
        EXPECT_NE("", UprightMismatch(full, kind, 64, {}, 8)) << number << ": the profile changes the colours";
    }
    for (const std::vector<uint8_t>& profile : ProfilesThatChangeNothing()) {
        ASSERT_TRUE(WriteTurnedPicture(tagged, kind, 1, ExifBlock(1), profile));
        CImageObject full;
        ASSERT_TRUE(LoadJpegFullColour(tagged, full));
        EXPECT_TRUE(SameColours(CImageObject(tagged, JPG), plainQuantised)) << profile.size();
        EXPECT_TRUE(SameColours(full, plainFull)) << profile.size();
    }
}
