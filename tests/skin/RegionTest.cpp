// Shapes from pictures: the one-pass builder against the plain per-pixel
// scan, the edge cases of a shape, the default skin rebuilt from its
// pictures, and what the skin makes of names that are no pictures.

#include "framework/App.h"
#include "tests/skin/support/MaskBitmap.h"
#include "tests/skin/support/PerPixelRegion.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/Program.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
#include "ui/skin/DefaultSkin.h"
#include "ui/skin/SkinDescriptionFile.h"
#include "ui/skin/SkinFile.h"
#include "ui/skin/SkinRegion.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempFolder;

CRgn FastRegion(const CBitmap& bitmap, int width, int height)
{
    WindowDc screen(nullptr);
    const std::vector<uint8_t> data = OpaqueRegionData(screen.Get(), bitmap, width, height);
    EXPECT_TRUE(IsValidRegionData(data.data(), data.size()));
    return RegionFromData(data);
}

CRgn ScannedRegion(const CBitmap& bitmap, int width, int height)
{
    WindowDc screen(nullptr);
    OwnedDc memory(CreateCompatibleDC(screen.Get()));
    ScopedSelectObject select(memory.Get(), bitmap);
    return PerPixelRegion(memory.Get(), width, height);
}

TEST(SkinRegion, OneReadOfThePixelsGivesTheSameShapeAsThePerPixelScan)
{
    struct Case {
        int width, height, percent;
    };
    const Case cases[] = {{1, 1, 100},  {1, 17, 50},  {23, 1, 50},  {37, 23, 3},
                          {37, 23, 97}, {64, 48, 50}, {96, 70, 30}, {120, 90, 70}};
    for (const Case& c : cases) {
        for (uint32_t seed : {1u, 2u}) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " " << c.percent << "% seed " << seed);
            const CBitmap bitmap = MakeMaskBitmap(c.width, c.height, ScatteredMask(seed, c.percent));
            EXPECT_TRUE(EqualRgn(FastRegion(bitmap, c.width, c.height), ScannedRegion(bitmap, c.width, c.height)));
        }
    }
    const CBitmap smooth = MakeMaskBitmap(400, 300, [](int x, int y) { return SmoothMask(x, y, 400, 300); });
    EXPECT_TRUE(EqualRgn(FastRegion(smooth, 400, 300), ScannedRegion(smooth, 400, 300)));
}

TEST(SkinRegion, AllOrOnlyTheCornerOfItsColour)
{
    // Every pixel the corner's colour: no visible area at all.
    const CBitmap none = MakeMaskBitmap(30, 20, [](int, int) { return false; });
    const CRgn empty = FastRegion(none, 30, 20);
    RECT box;
    ASSERT_NE(nullptr, empty.GetHandle());
    EXPECT_EQ(NULLREGION, GetRgnBox(empty, &box));

    // Only the corner itself: the whole rectangle but that pixel.
    const CBitmap all = MakeMaskBitmap(30, 20, [](int x, int y) { return x || y; });
    CRgn expected;
    expected.CreateRectRgn(0, 0, 30, 20);
    const CRgn corner(CreateRectRgn(0, 0, 1, 1));
    expected.CombineRgn(expected, corner, RGN_DIFF);
    EXPECT_TRUE(EqualRgn(FastRegion(all, 30, 20), expected));
}

// What a start without a description file does, on pictures of known
// sizes: the button rectangles take the size of the normal pictures, the
// shapes leave out the transparent corners, and the file reads back.
TEST(SkinRegion, TheDefaultSkinIsSizedAndShapedByItsPictures)
{
    HMODULE english = LoadLibraryA((testing_support::TestProgramDirectory() + "\\English.dll").c_str());
    ASSERT_NE(nullptr, english);
    AfxSetResourceHandle(english);
    TempFolder program;
    WriteSkinFolder(program.File("skin"), 300, 200, 80, 40);
    SkinDescription skin;
    EXPECT_EQ(0, LoadSkinDescription(skin, program.Path(), "skin"));
    RebuildDefaultSkin(skin, nullptr, program.Path(), "skin");

    ASSERT_EQ(6, skin.ButtonCount());
    const RECT first = {61, 15, 141, 55};
    EXPECT_TRUE(EqualRect(&first, &skin.buttons[0].rectangle));
    CRgn shape;
    shape.CreateRectRgn(0, 0, 80, 40);
    const CRgn corner(CreateRectRgn(0, 0, 4, 4));
    shape.CombineRgn(shape, corner, RGN_DIFF);
    EXPECT_TRUE(EqualRgn(RegionFromData(skin.buttons[0].region), shape));
    EXPECT_EQ("Choose picture", skin.buttons[0].tooltip);
    EXPECT_EQ(program.File("skin") + "\\button3_2.bmp", skin.buttons[3].imagePaths[3]);

    SkinDescription read;
    ASSERT_EQ(1, LoadSkinDescription(read, program.Path(), "skin"));
    EXPECT_EQ(skin.windowRegion, read.windowRegion);
    EXPECT_EQ(skin.buttons[5].region, read.buttons[5].region);
    EXPECT_EQ(skin.buttons[4].tooltip, read.buttons[4].tooltip);

    // A picture that does not load: no size, and the shape it had stays.
    DeleteFileA((program.File("skin") + "\\button5_0.bmp").c_str());
    RebuildDefaultSkin(skin, nullptr, program.Path(), "skin");
    EXPECT_EQ(skin.buttons[5].rectangle.left, skin.buttons[5].rectangle.right);
    EXPECT_EQ(read.buttons[5].region, skin.buttons[5].region);
    AfxSetResourceHandle(AfxGetInstanceHandle());
    FreeLibrary(english);
}

TEST(SkinRegion, NamesThatAreNoPicturesLeaveEverythingAlone)
{
    int width = 7, height = 8;
    std::vector<uint8_t> data = {1, 2, 3};
    std::wstring shown = testing_support::AnswerMessageBoxes(
        [&] { BuildRegionFromBitmap(nullptr, "C:\\skins\\picture", width, height, data); });
    EXPECT_EQ(L"File name can not be NULL.\n", shown);
    shown = testing_support::AnswerMessageBoxes(
        [&] { BuildRegionFromBitmap(nullptr, "C:\\skins\\picture.txt", width, height, data); });
    EXPECT_EQ(L"", shown);
    EXPECT_EQ(7, width);
    EXPECT_EQ(8, height);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), data);
}

} // namespace
