#include "image/ImageObject.h"
#include "image/bmp/BmpImage.h"
#include "image/jpeg/JpegImage.h"
#include "image/palette/DibPalette.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {

const uint8_t* TableOf(const CImageObject& picture)
{
    return reinterpret_cast<const uint8_t*>(picture.GetImpl()->GetDib()) + 40;
}

} // namespace

TEST(ImageObject, TypeComesFromTheExtensionTable)
{
    TempFolder folder;
    CImageObject jpeg(folder.File("missing.JPG"), -1);
    EXPECT_EQ(jpeg.GetType(), JPG);
    EXPECT_NE(dynamic_cast<CJpegImage*>(jpeg.GetImpl()), nullptr);
    EXPECT_EQ(jpeg.GetWidth(), 0);

    CImageObject unknown(folder.File("photo.jpeg"), -1); // "jpeg" is not in the table
    EXPECT_EQ(unknown.GetImpl(), nullptr);
    EXPECT_EQ(unknown.GetType(), -1);
    EXPECT_FALSE(unknown.IsValid());
    EXPECT_FALSE(unknown.Draw(nullptr, 0, 0));
    EXPECT_EQ(unknown.Save(folder.File("out.bmp"), -1), 0);
    EXPECT_EQ(unknown.GetPixelIndex(0, 0), 0);

    CImageObject xpm(folder.File("a.xpm"), -1);
    EXPECT_EQ(xpm.GetImpl(), nullptr);
}

TEST(ImageObject, CreateLaysOutTheDibWithTheStandardColours)
{
    CImageObject mono;
    ASSERT_TRUE(mono.Create(33, 5, 1, -1));
    EXPECT_EQ(mono.GetType(), BMP);
    EXPECT_EQ(mono.GetRowStride(), 8);
    const BITMAPINFOHEADER* header = mono.GetImpl()->GetDib();
    EXPECT_EQ(header->biSizeImage, 40u);
    EXPECT_EQ(header->biClrUsed, 2u);
    EXPECT_EQ(mono.GetBits(), reinterpret_cast<const uint8_t*>(header) + 48);
    EXPECT_EQ(TableOf(mono)[4 + 2], 0); // a 1-bit table stays zero

    CImageObject sixteen;
    sixteen.Create(3, 3, 4, -1);
    EXPECT_EQ(TableOf(sixteen)[1 * 4 + 2], 128);  // entry 1: red 128
    EXPECT_EQ(TableOf(sixteen)[7 * 4 + 0], 192);  // entry 7: silver
    EXPECT_EQ(TableOf(sixteen)[12 * 4 + 0], 255); // entry 12: blue
    EXPECT_EQ(sixteen.GetColorType(), 0);

    CImageObject eight;
    eight.Create(3, 3, 8, -1);
    EXPECT_EQ(TableOf(eight)[17 * 4 + 2], 128); // the 16 colours repeat
    EXPECT_EQ(TableOf(eight)[255 * 4 + 1], 255);

    CImageObject deep;
    deep.Create(1, 2, 24, -1);
    EXPECT_EQ(deep.GetColorType(), 2);
    EXPECT_EQ(deep.GetRowStride(), 4);
    EXPECT_EQ(deep.GetImpl()->GetDib()->biClrUsed, 0u);
}

TEST(ImageObject, HugeOrOverflowingSizesAreRefusedAsNoPicture)
{
    CImageObject picture;
    EXPECT_FALSE(picture.Create(100000, 100000, 24, -1));
    EXPECT_EQ(picture.GetWidth(), 0);
    EXPECT_EQ(picture.GetHeight(), 0);
    EXPECT_FALSE(picture.IsValid());
    EXPECT_FALSE(picture.Create(0x40000000, 16, 32, -1)); // wraps around in 32 bits
    EXPECT_FALSE(picture.Create(-5, 5, 8, -1));
    EXPECT_TRUE(picture.Create(8, 8, 8, -1));
}

TEST(ImageObject, SinglePixelsOfShallowPictures)
{
    CImageObject mono;
    mono.Create(9, 2, 1, -1);
    EXPECT_TRUE(mono.SetPixelIndex(3, 1, 1));
    EXPECT_EQ(mono.GetBits()[mono.GetRowStride()], 0x10);
    EXPECT_EQ(mono.GetPixelIndex(3, 1), 1);
    EXPECT_EQ(mono.GetPixelIndex(2, 1), 0);
    EXPECT_TRUE(mono.SetPixelIndex(8, 1, 1));
    EXPECT_EQ(mono.GetBits()[mono.GetRowStride() + 1], 0x80);
    EXPECT_TRUE(mono.SetPixelIndex(3, 1, 0));
    EXPECT_EQ(mono.GetBits()[mono.GetRowStride()], 0x00);

    CImageObject nibbles;
    nibbles.Create(3, 1, 4, -1);
    nibbles.SetPixelIndex(1, 0, 0xA);
    nibbles.SetPixelIndex(0, 0, 0x5);
    nibbles.SetPixelIndex(2, 0, 0xF);
    EXPECT_EQ(nibbles.GetBits()[0], 0x5A);
    EXPECT_EQ(nibbles.GetBits()[1], 0xF0);
    EXPECT_EQ(nibbles.GetPixelIndex(1, 0), 0xA);
    EXPECT_EQ(nibbles.GetPixelIndex(3, 0), -1);
    EXPECT_FALSE(nibbles.SetPixelIndex(0, 1, 1));
}

TEST(ImageObject, ColoursOfDeepAndPalettedPictures)
{
    CImageObject deep;
    deep.Create(2, 2, 24, -1);
    EXPECT_EQ(deep.GetPixelIndex(0, 0), -1);
    ASSERT_TRUE(deep.SetPixelColor(1, 1, 10, 20, 30));
    const uint8_t* pixel = deep.GetBits() + deep.GetRowStride() + 3;
    EXPECT_EQ(pixel[0], 30); // blue first
    EXPECT_EQ(pixel[2], 10);
    uint8_t r = 0, g = 0, b = 0;
    EXPECT_TRUE(deep.GetPixelColor(1, 1, r, g, b));
    EXPECT_EQ(r, 10);
    EXPECT_EQ(b, 30);
    EXPECT_FALSE(deep.GetPixelColor(2, 0, r, g, b));

    CImageObject paletted;
    paletted.Create(4, 1, 8, -1);
    const uint8_t reds[] = {0, 255, 0};
    const uint8_t greens[] = {0, 0, 250};
    const uint8_t blues[] = {0, 0, 0};
    ASSERT_TRUE(paletted.SetPalette(3, reds, greens, blues));
    EXPECT_EQ(paletted.GetColorType(), 3);
    EXPECT_TRUE(paletted.SetPixelColor(2, 0, 10, 240, 5)); // nearest: entry 2
    EXPECT_EQ(paletted.GetPixelIndex(2, 0), 2);
    EXPECT_TRUE(paletted.GetPixelColor(2, 0, r, g, b));
    EXPECT_EQ(g, 250);

    CImageObject noPalette;
    noPalette.Create(2, 1, 8, 3); // claims a palette it does not have
    EXPECT_FALSE(noPalette.SetPixelColor(0, 0, 1, 2, 3));
}

TEST(ImageObject, SavingUnderAnotherTypeMovesThePictureIntoANewFormat)
{
    TempFolder folder;
    std::vector<uint8_t> samples(8 * 8 * 3, 200);
    ASSERT_TRUE(WriteTestJpeg(folder.File("in.jpg"), 8, 8, 3, samples));
    CImageObject picture(folder.File("in.jpg"), JPG);
    ASSERT_EQ(picture.GetWidth(), 8);
    const uint8_t* bits = picture.GetBits();
    CDibPalette* palette = picture.GetPalette();

    EXPECT_EQ(picture.Save(folder.File("out.bmp"), -1), 1);
    EXPECT_EQ(picture.GetType(), BMP);
    EXPECT_NE(dynamic_cast<CBmpImage*>(picture.GetImpl()), nullptr);
    EXPECT_EQ(picture.GetBits(), bits); // the same pixels, moved not copied
    EXPECT_EQ(picture.GetPalette(), palette);
    EXPECT_EQ(picture.GetWidth(), 8);

    CImageImpl* impl = picture.GetImpl();
    EXPECT_EQ(picture.Save(folder.File("again.bmp"), -1), 1);
    EXPECT_EQ(picture.GetImpl(), impl);

    EXPECT_EQ(picture.Save(folder.File("nothing.xpm"), -1), 0);
    EXPECT_EQ(picture.GetImpl(), impl);
    EXPECT_EQ(picture.GetType(), BMP);

    CImageObject back(folder.File("out.bmp"), BMP);
    EXPECT_EQ(back.GetWidth(), 8);
    EXPECT_EQ(back.GetBitCount(), 8);
}
