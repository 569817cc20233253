#include "image/ImageObject.h"
#include "image/palette/DibPalette.h"
#include "tests/support/Canvas.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using testing_support::Canvas;

// 2 x 2, 8 bits: top row red, transparent; bottom row transparent, red.
// Palette: 0 black, 1 red, 2 green (the transparent index), 3 white.
void MakeSprite(CImageObject& picture)
{
    picture.Create(2, 2, 8, -1);
    const uint8_t reds[] = {0, 255, 0, 255};
    const uint8_t greens[] = {0, 0, 255, 255};
    const uint8_t blues[] = {0, 0, 0, 255};
    picture.SetPalette(4, reds, greens, blues);
    picture.SetPixelIndex(0, 1, 1);
    picture.SetPixelIndex(1, 1, 2);
    picture.SetPixelIndex(0, 0, 2);
    picture.SetPixelIndex(1, 0, 1);
}

} // namespace

TEST(Draw, NullContextDrawsNothingAndNoPictureFails)
{
    CImageObject picture;
    EXPECT_FALSE(picture.Draw(nullptr, 0, 0));
    picture.Create(2, 2, 24, -1);
    EXPECT_TRUE(picture.Draw(nullptr, 0, 0, -1, -1, 0, 0));
    EXPECT_TRUE(picture.Stretch(nullptr, 0, 0));
}

TEST(Draw, PalettedPictureDrawsThroughItsPaletteTopRowFirst)
{
    CImageObject picture;
    MakeSprite(picture);
    Canvas canvas(4, 4, RGB(0, 0, 255));
    ScopedSelectPalette select(canvas.Dc(), picture.GetPalette()->GetHandle(), true);
    ASSERT_TRUE(picture.Draw(canvas.Dc(), 1, 1, -1, -1, 0, 0));
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(2, 1), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(1, 2), RGB(0, 255, 0));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Pixel(3, 3), RGB(0, 0, 255));
}

TEST(Draw, TransparentIndexShowsTheBackgroundAndLeavesThePixelsAlone)
{
    CImageObject picture;
    MakeSprite(picture);
    Canvas plain(4, 4, RGB(0, 0, 255));
    ScopedSelectPalette selectPlain(plain.Dc(), picture.GetPalette()->GetHandle(), true);
    picture.Stretch(plain.Dc(), 0, 0, 4, 4, 0, 0, -1, -1);
    EXPECT_EQ(plain.Pixel(3, 0), RGB(0, 255, 0)); // no transparency: one copy

    picture.GetImpl()->SetTransparentIndex(2);
    const std::vector<uint8_t> before(picture.GetBits(), picture.GetBits() + 8);
    Canvas masked(4, 4, RGB(0, 0, 255));
    ScopedSelectPalette selectMasked(masked.Dc(), picture.GetPalette()->GetHandle(), true);
    ASSERT_TRUE(picture.Stretch(masked.Dc(), 0, 0, 4, 4, 0, 0, -1, -1));
    EXPECT_EQ(masked.Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(masked.Pixel(3, 0), RGB(0, 0, 255)); // transparent: background
    EXPECT_EQ(masked.Pixel(0, 3), RGB(0, 0, 255));
    EXPECT_EQ(masked.Pixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(std::vector<uint8_t>(picture.GetBits(), picture.GetBits() + 8), before);
}

TEST(Draw, DeviceBitmapShowsThePicture)
{
    CImageObject picture;
    picture.Create(3, 2, 24, -1);
    picture.SetPixelColor(0, 1, 200, 10, 20); // top-left
    std::unique_ptr<CBitmap> bitmap = picture.MakeDeviceBitmap();
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObject(bitmap->GetHandle(), sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);

    OwnedDc memory(CreateCompatibleDC(nullptr));
    ScopedSelectObject select(memory.Get(), bitmap->GetHandle());
    EXPECT_EQ(GetPixel(memory.Get(), 0, 0), RGB(200, 10, 20));
    EXPECT_EQ(GetPixel(memory.Get(), 1, 1), RGB(0, 0, 0));
}

TEST(Draw, PictureFromADeviceBitmap)
{
    WindowDc screen(nullptr);
    CBitmap bitmap(CreateCompatibleBitmap(screen.Get(), 4, 3));
    {
        OwnedDc memory(CreateCompatibleDC(screen.Get()));
        ScopedSelectObject select(memory.Get(), bitmap.GetHandle());
        PatBlt(memory.Get(), 0, 0, 4, 3, BLACKNESS);
        SetPixel(memory.Get(), 0, 0, RGB(0, 255, 0));
    }
    CImageObject picture(bitmap);
    EXPECT_EQ(picture.GetType(), BMP);
    ASSERT_EQ(picture.GetWidth(), 4);
    ASSERT_EQ(picture.GetHeight(), 3);
    uint8_t r = 1, g = 1, b = 1;
    ASSERT_TRUE(picture.GetPixelColor(0, 2, r, g, b)); // top row is the last array row
    EXPECT_EQ(g, 255);
    EXPECT_EQ(r, 0);
}
