// Icon, cursor, bitmaps and the toolbar resource: the sizes, formats and
// bytes the drawing code relies on, and that the system accepts them.
#include "resources/resource.h"
#include "tests/resources/ResourceSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace tessaly_test {
namespace {

constexpr unsigned kCursor = 1, kBitmap = 2, kIcon = 3, kGroupCursor = 12, kGroupIcon = 14;

template <typename T> T ReadAt(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size())
        std::memcpy(&value, &bytes[offset], sizeof(T));
    return value;
}

// One image of an icon or cursor group, as the group directory lists it.
struct GroupEntry {
    int width;
    int height;
    int bitCount;
    unsigned imageId;
};

// Group directories: 6-byte header, then 14-byte entries. Icons store the
// size as bytes (0 meaning 256); cursors as two 16-bit values, the height
// counting both masks.
std::vector<GroupEntry> ReadGroup(const std::vector<std::uint8_t>& bytes, bool cursor)
{
    std::vector<GroupEntry> entries;
    const auto count = ReadAt<std::uint16_t>(bytes, 4);
    for (std::size_t index = 0; index < count && 6 + 14 * (index + 1) <= bytes.size(); ++index) {
        const std::size_t at = 6 + 14 * index;
        GroupEntry entry{};
        if (cursor) {
            entry.width = ReadAt<std::uint16_t>(bytes, at);
            entry.height = ReadAt<std::uint16_t>(bytes, at + 2) / 2;
        } else {
            entry.width = ReadAt<std::uint8_t>(bytes, at);
            entry.height = ReadAt<std::uint8_t>(bytes, at + 1);
        }
        entry.bitCount = ReadAt<std::uint16_t>(bytes, at + 6);
        entry.imageId = ReadAt<std::uint16_t>(bytes, at + 12);
        entries.push_back(entry);
    }
    return entries;
}

class EveryResourceSetPictures : public ::testing::TestWithParam<ResourceSet> {
  protected:
    const ResourceModule& module() const { return ModuleOf(GetParam()); }
};

TEST_P(EveryResourceSetPictures, IconHasSmallAndLargeImagesThatTheSystemAccepts)
{
    ASSERT_TRUE(module().loaded());
    const std::vector<GroupEntry> entries = ReadGroup(module().Bytes(kGroupIcon, IDI_MAIN), false);
    bool small = false, large = false, sixteenColours = false;
    for (const GroupEntry& entry : entries) {
        small |= entry.width == 16 && entry.height == 16;
        large |= entry.width == 32 && entry.height == 32;
        sixteenColours |= entry.bitCount == 4;
        std::vector<std::uint8_t> image = module().Bytes(kIcon, entry.imageId);
        ASSERT_FALSE(image.empty()) << "image " << entry.imageId;
        EXPECT_EQ(ReadAt<std::int32_t>(image, 4), entry.width);
        EXPECT_EQ(ReadAt<std::int32_t>(image, 8), 2 * entry.height) << "colour and mask rows";
        HICON icon = CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                              entry.width, entry.height, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << "image " << entry.imageId;
        if (icon)
            DestroyIcon(icon);
    }
    EXPECT_TRUE(small && large && sixteenColours);
}

TEST_P(EveryResourceSetPictures, HandCursorIsMonochrome32x32WithTheFingertipAtTheHotSpot)
{
    ASSERT_TRUE(module().loaded());
    const std::vector<GroupEntry> entries = ReadGroup(module().Bytes(kGroupCursor, IDC_HAND_CURSOR), true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].width, 32);
    EXPECT_EQ(entries[0].height, 32);
    EXPECT_EQ(entries[0].bitCount, 1);

    // A cursor image starts with its hot spot, then a 1-bit DIB: colour rows,
    // then mask rows, bottom-up, 4 bytes per row.
    std::vector<std::uint8_t> image = module().Bytes(kCursor, entries[0].imageId);
    ASSERT_GE(image.size(), 4u + 40u + 8u + 2u * 32u * 4u);
    EXPECT_EQ(ReadAt<std::uint16_t>(image, 0), 0);
    EXPECT_EQ(ReadAt<std::uint16_t>(image, 2), 0);
    EXPECT_EQ(ReadAt<std::uint16_t>(image, 4 + 14), 1) << "bits per pixel";

    // The hot spot is the top-left pixel: the hand must touch it or a
    // neighbour, or links would be clicked off the fingertip.
    const std::size_t maskRows = 4 + 40 + 8 + 32 * 4;
    auto opaque = [&](int x, int y) {
        const std::uint8_t row = image[maskRows + (31 - y) * 4 + x / 8];
        return (row & (0x80 >> (x % 8))) == 0;
    };
    EXPECT_TRUE(opaque(0, 0) || opaque(1, 0) || opaque(0, 1));

    HCURSOR cursor = reinterpret_cast<HCURSOR>(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()),
                                                                        FALSE, 0x00030000, 32, 32, LR_MONOCHROME));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor has only its mask bitmap";
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
}

TEST_P(EveryResourceSetPictures, AboutPictureIsABitmap)
{
    ASSERT_TRUE(module().loaded());
    const std::vector<std::uint8_t> bitmap = module().Bytes(kBitmap, IDB_ABOUT);
    ASSERT_GE(bitmap.size(), 40u);
    EXPECT_EQ(ReadAt<std::uint32_t>(bitmap, 0), 40u) << "BITMAPINFOHEADER";
    EXPECT_GT(ReadAt<std::int32_t>(bitmap, 4), 0);
    EXPECT_GT(ReadAt<std::int32_t>(bitmap, 8), 0);
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageW(module().handle(), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    EXPECT_NE(loaded, nullptr);
    if (loaded)
        DeleteObject(loaded);
}

constexpr int kMenuIcons = 13;
constexpr std::size_t kStride = (16 * kMenuIcons / 2 + 3) / 4 * 4; // bytes per row of 4-bit pixels

TEST_P(EveryResourceSetPictures, MenuIconStripIs16x15CellsIn16Colours)
{
    ASSERT_TRUE(module().loaded());
    const std::vector<std::uint8_t> bitmap = module().Bytes(kBitmap, IDR_MENU_ICONS);
    ASSERT_GE(bitmap.size(), 40u + 16u * 4u + 15u * kStride);
    EXPECT_EQ(ReadAt<std::int32_t>(bitmap, 4), 16 * kMenuIcons);
    EXPECT_EQ(ReadAt<std::int32_t>(bitmap, 8), 15);
    EXPECT_EQ(ReadAt<std::uint16_t>(bitmap, 14), 4);

    // The menu code recolours black, grey, silver and white to the system's
    // button colours and masks silver out: all four must be in the table.
    std::vector<std::uint32_t> colours;
    for (std::size_t index = 0; index < 16; ++index)
        colours.push_back(ReadAt<std::uint32_t>(bitmap, 40 + 4 * index) & 0xFFFFFF);
    const std::uint32_t silver = 0xC0C0C0;
    for (std::uint32_t needed : {0x000000u, 0x808080u, silver, 0xFFFFFFu})
        EXPECT_NE(std::find(colours.begin(), colours.end(), needed), colours.end()) << std::hex << needed;

    // Every cell draws something on the silver background.
    const std::size_t pixels = 40 + 16 * 4;
    for (int cell = 0; cell < kMenuIcons; ++cell) {
        int drawn = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = cell * 16; x < cell * 16 + 16; ++x) {
                const std::uint8_t pair = bitmap[pixels + y * kStride + x / 2];
                const int index = x % 2 == 0 ? pair >> 4 : pair & 0xF;
                drawn += colours[index] != silver;
            }
        EXPECT_GT(drawn, 20) << "cell " << cell;
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, EveryResourceSetPictures,
                         ::testing::Values(ResourceSet::English, ResourceSet::Chinese, ResourceSet::Program),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tessaly_test
