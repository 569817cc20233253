// Shapes from pictures: the one-pass builder against the plain per-pixel
// scan, the edge cases of a shape, and what the skin makes of picture
// names that are no pictures.

#include "tests/skin/support/MaskBitmap.h"
#include "tests/skin/support/PerPixelRegion.h"
#include "tests/skin/support/SkinPictures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
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

TEST(SkinRegion, BuildsFromAPictureFileAndWritesItsSize)
{
    TempFolder folder;
    const std::string path = folder.File("shape.bmp");
    WriteBmpFile(path, 80, 40, [](int x, int y) { return x < 4 && y < 4 ? RGB(255, 0, 255) : RGB(9, 9, 9); });
    int width = 0, height = 0;
    std::vector<uint8_t> data;
    BuildRegionFromBitmap(nullptr, path, width, height, data);
    EXPECT_EQ(80, width);
    EXPECT_EQ(40, height);
    CRgn expected;
    expected.CreateRectRgn(0, 0, 80, 40);
    const CRgn corner(CreateRectRgn(0, 0, 4, 4));
    expected.CombineRgn(expected, corner, RGN_DIFF);
    EXPECT_TRUE(EqualRgn(RegionFromData(data), expected));

    // A picture that does not load reports no size and keeps the old shape.
    const std::vector<uint8_t> before = data;
    BuildRegionFromBitmap(nullptr, folder.File("missing.bmp"), width, height, data);
    EXPECT_EQ(0, width);
    EXPECT_EQ(0, height);
    EXPECT_EQ(before, data);
}

TEST(SkinRegion, NamesThatAreNoPicturesLeaveEverythingAlone)
{
    int width = 7, height = 8;
    std::vector<uint8_t> data = {1, 2, 3};
    std::wstring shown = testing_support::AnswerMessageBoxes(
        [&] { BuildRegionFromBitmap(nullptr, "C:\\skins\\picture", width, height, data); });
    EXPECT_EQ(L"File name can not be NULL.\n", shown);
    shown = testing_support::AnswerMessageBoxes(
        [&] { BuildRegionFromBitmap(nullptr, "C:\\skins\\picture.tif", width, height, data); });
    EXPECT_EQ(L"", shown);
    EXPECT_EQ(7, width);
    EXPECT_EQ(8, height);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), data);
}

} // namespace
