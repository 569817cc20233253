// Pictures read through the system's Imaging Component. Wine's decodes TIFF
// and has no JPEG XL decoder, so a read picture and a missing decoder are
// both real here.
#include "image/AlphaBackground.h"
#include "image/ImageObject.h"
#include "image/MissingDecoders.h"
#include "image/orient/Orientation.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::TempFolder;

namespace {

void Put(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An uncompressed little-endian TIFF of 8-bit RGB or RGBA (unassociated
// alpha) samples, one strip, with an EXIF orientation tag.
std::vector<uint8_t> Tiff(int width, int height, int channels, int orientation, const std::vector<uint8_t>& samples)
{
    struct Entry {
        uint16_t tag, type;
        uint32_t count, value;
    };
    const uint32_t entryCount = channels == 4 ? 12 : 11;
    const uint32_t depthsAt = 8 + 2 + entryCount * 12 + 4;
    const uint32_t pixelsAt = depthsAt + 2 * channels;
    const Entry entries[] = {
        {256, 4, 1, static_cast<uint32_t>(width)},
        {257, 4, 1, static_cast<uint32_t>(height)},
        {258, 3, static_cast<uint32_t>(channels), depthsAt},
        {259, 3, 1, 1},
        {262, 3, 1, 2},
        {273, 4, 1, pixelsAt},
        {274, 3, 1, static_cast<uint32_t>(orientation)},
        {277, 3, 1, static_cast<uint32_t>(channels)},
        {278, 4, 1, static_cast<uint32_t>(height)},
        {279, 4, 1, static_cast<uint32_t>(samples.size())},
        {284, 3, 1, 1},
        {338, 3, 1, 2},
    };
    std::vector<uint8_t> bytes = {'I', 'I', 42, 0};
    Put(bytes, 8, 4);
    Put(bytes, entryCount, 2);
    for (uint32_t i = 0; i < entryCount; ++i) {
        Put(bytes, entries[i].tag, 2);
        Put(bytes, entries[i].type, 2);
        Put(bytes, entries[i].count, 4);
        Put(bytes, entries[i].value, 4);
    }
    Put(bytes, 0, 4);
    for (int i = 0; i < channels; ++i)
        Put(bytes, 8, 2);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}

// Stored pixel i of a 3 x 2 picture, distinct in every channel.
uint8_t Sample(int pixel, int channel)
{
    return static_cast<uint8_t>(20 + pixel * 30 + channel * 7);
}

} // namespace

TEST(WicPicture, EveryOrientationOfATiffComesOutUprightIn24Bits)
{
    TempFolder folder;
    const int w = 3, h = 2;
    std::vector<uint8_t> samples;
    for (int i = 0; i < w * h; ++i)
        for (int c = 0; c < 3; ++c)
            samples.push_back(Sample(i, c));
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const std::string path = folder.File("turned.tif");
        WriteFileBytes(path, Tiff(w, h, 3, orientation, samples));
        const CImageObject picture(path, WIC);
        const bool swapped = orientation >= 5;
        ASSERT_EQ(picture.GetWidth(), swapped ? h : w);
        ASSERT_EQ(picture.GetHeight(), swapped ? w : h);
        EXPECT_EQ(picture.GetBitCount(), 24);
        for (int i = 0; i < w * h; ++i) {
            int x = i % w, y = i / w;
            UprightPlace(orientation, w, h, x, y);
            uint8_t r = 0, g = 0, b = 0;
            ASSERT_TRUE(picture.GetPixelColor(x, picture.GetHeight() - 1 - y, r, g, b));
            EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{Sample(i, 0), Sample(i, 1), Sample(i, 2)})) << i;
        }
    }
}

TEST(WicPicture, AlphaIsComposedOnTheBackgroundPngUses)
{
    TempFolder folder;
    const std::vector<uint8_t> samples = {200, 100, 50, 255, 200, 100, 50, 128, 200, 100, 50, 0};
    WriteFileBytes(folder.File("alpha.tiff"), Tiff(3, 1, 4, 1, samples));
    const CImageObject picture(folder.File("alpha.tiff"), WIC);
    ASSERT_EQ(picture.GetWidth(), 3);
    const uint8_t expected[3][3] = {{200, 100, 50},
                                    {ComposeOnBackground(200, 128, kAlphaBackgroundRed),
                                     ComposeOnBackground(100, 128, kAlphaBackgroundGreen),
                                     ComposeOnBackground(50, 128, kAlphaBackgroundBlue)},
                                    {kAlphaBackgroundRed, kAlphaBackgroundGreen, kAlphaBackgroundBlue}};
    for (int x = 0; x < 3; ++x) {
        uint8_t r = 0, g = 0, b = 0;
        ASSERT_TRUE(picture.GetPixelColor(x, 0, r, g, b));
        EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{expected[x][0], expected[x][1], expected[x][2]})) << x;
    }
}

TEST(WicPicture, BadFilesAndMissingDecodersGiveNoPicture)
{
    TempFolder folder;
    std::vector<uint8_t> samples(3 * 4 * 4, 90);
    const std::vector<uint8_t> good = Tiff(4, 4, 3, 1, samples);
    // Beyond the size rule, declared by a header whose strip is tiny.
    WriteFileBytes(folder.File("huge.tif"), Tiff(40000, 2, 3, 1, samples));
    WriteFileBytes(folder.File("garbage.tif"), std::vector<uint8_t>(300, 0xA5));
    for (size_t cut : {size_t{4}, size_t{30}, good.size() / 2, good.size() - 1}) {
        WriteFileBytes(folder.File("cut.tif"), std::vector<uint8_t>(good.begin(), good.begin() + cut));
        EXPECT_EQ(CImageObject(folder.File("cut.tif"), WIC).GetWidth(), 0) << cut;
    }
    EXPECT_EQ(CImageObject(folder.File("huge.tif"), WIC).GetWidth(), 0);
    EXPECT_EQ(CImageObject(folder.File("garbage.tif"), WIC).GetWidth(), 0);
    const std::vector<std::string> before = MissingDecoders();
    EXPECT_TRUE(std::find(before.begin(), before.end(), "TIFF") == before.end()) << "a bad file is no missing decoder";

    WriteFileBytes(folder.File("photo.jxl"), {0xFF, 0x0A, 0xFA, 0x7F});
    EXPECT_EQ(CImageObject(folder.File("photo.jxl"), WIC).GetWidth(), 0);
    const std::vector<std::string> after = MissingDecoders();
    EXPECT_TRUE(std::find(after.begin(), after.end(), "JPEG XL") != after.end());
}

TEST(WicPicture, TheSystemsOtherDecodersListTheirFilesButIconsAndOurOwnFormatsStayOurs)
{
    // Wine's Imaging Component decodes DDS and TGA too.
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.dds"), WIC);
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.ico"), -1);
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.dib"), -1);
    EXPECT_EQ(ImageTypeForPictureFile("C:\\a\\sky.txt"), -1);
}
