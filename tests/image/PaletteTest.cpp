#include "image/ImageObject.h"
#include "image/palette/ColorTable.h"
#include "image/palette/DibPalette.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const uint8_t* TableOf(const CImageObject& picture)
{
    return reinterpret_cast<const uint8_t*>(picture.GetImpl()->GetDib()) + 40;
}

std::unique_ptr<CDibPalette> RampPalette(int count)
{
    uint8_t reds[256], greens[256], blues[256];
    for (int i = 0; i < count; ++i) {
        reds[i] = static_cast<uint8_t>(i);
        greens[i] = static_cast<uint8_t>(255 - i);
        blues[i] = static_cast<uint8_t>(i * 3);
    }
    return std::make_unique<CDibPalette>(count, reds, greens, blues);
}

} // namespace

TEST(Palette, GreyPaletteLevels)
{
    CImageObject picture;
    picture.Create(2, 2, 8, -1);
    ASSERT_TRUE(picture.GetImpl()->SetGreyPalette(16));
    CDibPalette* palette = picture.GetPalette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->GetEntryCount(), 16);
    uint8_t r = 0, g = 0, b = 0;
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(palette->GetEntry(i, r, g, b));
        EXPECT_TRUE(r == i * 16 && g == r && b == r) << i;
    }
    EXPECT_FALSE(palette->GetEntry(256, r, g, b));
    EXPECT_FALSE(palette->GetEntry(-1, r, g, b));
}

TEST(Palette, ColourTableSwitchesBetweenIndexAndColourForm)
{
    CImageObject picture;
    picture.Create(4, 4, 8, -1);
    picture.SetPalette(RampPalette(256));
    EXPECT_EQ(picture.GetColorType(), 3);
    const uint16_t* indices = reinterpret_cast<const uint16_t*>(TableOf(picture));
    EXPECT_EQ(indices[0], 0);
    EXPECT_EQ(indices[200], 200);

    BITMAPINFOHEADER* dib = picture.GetImpl()->GetDib();
    ASSERT_TRUE(SetColorTable(dib, picture.GetPalette()->GetHandle(), false));
    EXPECT_EQ(TableOf(picture)[10 * 4 + 2], 10);  // red
    EXPECT_EQ(TableOf(picture)[10 * 4 + 1], 245); // green
    EXPECT_EQ(TableOf(picture)[10 * 4 + 0], 30);  // blue
    SetColorTable(dib, picture.GetPalette()->GetHandle(), true);
    SetColorTable(dib, picture.GetPalette()->GetHandle(), false);
    EXPECT_EQ(TableOf(picture)[200 * 4 + 1], 55);

    // A palette of 20 entries gives entries 0 to 19 its colours.
    std::unique_ptr<CDibPalette> small = RampPalette(20);
    SetColorTable(dib, small->GetHandle(), false);
    EXPECT_EQ(TableOf(picture)[19 * 4 + 2], 19);

    HPALETTE fromTable = PaletteFromColorTable(dib);
    CDibPalette copy(fromTable);
    EXPECT_EQ(copy.GetEntryCount(), 256);
    uint8_t r = 0, g = 0, b = 0;
    copy.GetEntry(19, r, g, b);
    EXPECT_EQ(g, 236);
}

TEST(Palette, DeepPicturesAndMissingDibsAreLeftAlone)
{
    CImageObject deep;
    deep.Create(2, 2, 24, -1);
    std::unique_ptr<CDibPalette> palette = RampPalette(4);
    BITMAPINFOHEADER* dib = deep.GetImpl()->GetDib();
    const BITMAPINFOHEADER before = *dib;
    EXPECT_TRUE(SetColorTable(dib, palette->GetHandle(), false));
    EXPECT_EQ(0, memcmp(&before, dib, sizeof before));
    EXPECT_FALSE(SetColorTable(nullptr, palette->GetHandle(), true));
    EXPECT_EQ(PaletteFromColorTable(dib), nullptr);
}

TEST(Palette, CopiesAreIndependentAndTriplesBuildPalettes)
{
    std::unique_ptr<CDibPalette> original = RampPalette(8);
    CDibPalette copy(*original);
    EXPECT_NE(copy.GetHandle(), original->GetHandle());
    original.reset();
    uint8_t r = 0, g = 0, b = 0;
    ASSERT_TRUE(copy.GetEntry(7, r, g, b));
    EXPECT_EQ(b, 21);
    EXPECT_FALSE(copy.CreateFromArrays(1, &r, &g, &b)); // already holds one

    CImageObject picture;
    picture.Create(2, 2, 8, -1);
    const uint8_t triples[] = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(picture.SetPalette(2, triples)); // no palette yet: no message box
    picture.GetPalette()->GetEntry(1, r, g, b);
    EXPECT_EQ(r, 4);
    EXPECT_EQ(b, 6);
}
