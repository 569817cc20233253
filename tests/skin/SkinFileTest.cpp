// The skin description file's bytes: the exact layout, the string length
// markers, and a reader that turns down every cut or damaged file without
// reading past its end. No Windows here: the same tests run natively under
// AddressSanitizer.

#include "ui/skin/SkinFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>
#include <initializer_list>

namespace {

using Bytes = std::vector<uint8_t>;

void Append32(Bytes& bytes, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

// Region data of `rects` (left, top, right, bottom each), as GDI lays it out.
Bytes RegionData(std::initializer_list<std::array<int32_t, 4>> rects)
{
    Bytes bytes;
    Append32(bytes, 32);
    Append32(bytes, 1);
    Append32(bytes, static_cast<uint32_t>(rects.size()));
    Append32(bytes, static_cast<uint32_t>(rects.size() * 16));
    for (int i = 0; i < 4; ++i)
        Append32(bytes, 0); // bounds: not looked at
    for (const auto& rect : rects)
        for (int32_t value : rect)
            Append32(bytes, static_cast<uint32_t>(value));
    return bytes;
}

SkinFile TwoButtonSkin()
{
    SkinFile file;
    file.windowRegion = RegionData({{0, 0, 10, 4}, {2, 4, 8, 6}});
    file.backgroundName = "bg.bmp";
    for (int index = 0; index < 2; ++index) {
        SkinFileButton button;
        for (size_t state = 0; state < kSkinButtonStates; ++state)
            button.imageNames[state] = "button" + std::to_string(index) + "_" + std::to_string(state) + ".bmp";
        button.left = 61 + index;
        button.top = 15;
        button.right = 141 + index;
        button.bottom = 55;
        button.region = RegionData({{0, 0, 80, 40}});
        button.tooltip = index ? "\xCF\xD4\xCA\xBE\xD7\xC0\xC3\xE6" : "Choose picture"; // ANSI, one in code page 936
        file.buttons.push_back(button);
    }
    return file;
}

bool Parses(const Bytes& bytes, size_t length)
{
    SkinFile file;
    return ParseSkinFile(bytes.data(), length, file);
}

bool Parses(const Bytes& bytes)
{
    return Parses(bytes, bytes.size());
}

TEST(SkinFile, LaysOutEveryFieldInItsOrder)
{
    SkinFile file;
    file.windowRegion = RegionData({{1, 2, 3, 4}});
    file.backgroundName = "bg.bmp";
    SkinFileButton button;
    button.imageNames = {"a", "bb", "c", "d"};
    button.left = 61;
    button.top = 15;
    button.right = 141;
    button.bottom = -1;
    button.region = RegionData({});
    button.tooltip = "tip";
    file.buttons.push_back(button);

    Bytes expected;
    Append32(expected, 48);
    const Bytes window = RegionData({{1, 2, 3, 4}});
    expected.insert(expected.end(), window.begin(), window.end());
    for (uint8_t byte : Bytes{6, 'b', 'g', '.', 'b', 'm', 'p'})
        expected.push_back(byte);
    Append32(expected, 1);
    for (uint8_t byte : Bytes{1, 'a', 2, 'b', 'b', 1, 'c', 1, 'd'})
        expected.push_back(byte);
    for (uint32_t value : {61u, 15u, 141u, 0xFFFFFFFFu, 32u})
        Append32(expected, value);
    for (uint8_t byte : Bytes{3, 't', 'i', 'p'})
        expected.push_back(byte);
    const Bytes empty = RegionData({});
    expected.insert(expected.end(), empty.begin(), empty.end());

    EXPECT_EQ(expected, SerializeSkinFile(file));
    SkinFile read;
    ASSERT_TRUE(ParseSkinFile(expected.data(), expected.size(), read));
    EXPECT_EQ(file, read);
}

TEST(SkinFile, StringLengthsUseTheShortLongAndHugeForms)
{
    const struct {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0}},
        {254, {254}},
        {255, {255, 0xFF, 0x00}},
        {65533, {255, 0xFD, 0xFF}},
        {65534, {255, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {255, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {255, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        SkinFile file = TwoButtonSkin();
        file.backgroundName.assign(c.length, 'x');
        file.buttons[1].tooltip.assign(c.length, 'y');
        const Bytes bytes = SerializeSkinFile(file);
        const size_t at = 4 + file.windowRegion.size();
        ASSERT_GE(bytes.size(), at + c.prefix.size());
        EXPECT_EQ(c.prefix, Bytes(bytes.begin() + at, bytes.begin() + at + c.prefix.size()));
        SkinFile read;
        ASSERT_TRUE(ParseSkinFile(bytes.data(), bytes.size(), read));
        EXPECT_EQ(file, read);
    }
}

TEST(SkinFile, EveryTruncationIsRefused)
{
    const Bytes bytes = SerializeSkinFile(TwoButtonSkin());
    ASSERT_TRUE(Parses(bytes));
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(Parses(bytes, length)) << "cut at " << length << " of " << bytes.size();
}

// Offsets of the fields of TwoButtonSkin()'s file that a damage test changes.
struct Layout {
    size_t backgroundLength;
    size_t buttonCount;
    size_t firstTooltipLength;
    size_t firstRegionSize;
    size_t firstRegion;
};

Layout TwoButtonLayout()
{
    const SkinFile file = TwoButtonSkin();
    Layout layout{};
    layout.backgroundLength = 4 + file.windowRegion.size();
    layout.buttonCount = layout.backgroundLength + 1 + file.backgroundName.size();
    size_t at = layout.buttonCount + 4;
    for (const std::string& name : file.buttons[0].imageNames)
        at += 1 + name.size();
    layout.firstRegionSize = at + 16;
    layout.firstTooltipLength = at + 20;
    layout.firstRegion = layout.firstTooltipLength + 1 + file.buttons[0].tooltip.size();
    return layout;
}

void Store32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(SkinFile, DamagedCountsLengthsAndRegionsAreRefused)
{
    const Bytes good = SerializeSkinFile(TwoButtonSkin());
    const Layout at = TwoButtonLayout();
    ASSERT_EQ(6, good[at.backgroundLength]);
    ASSERT_EQ(2u, good[at.buttonCount]);

    const std::vector<std::pair<const char*, std::function<void(Bytes&)>>> damages = {
        {"window region longer than the file", [&](Bytes& b) { Store32(b, 0, 0x7FFFFFF0); }},
        {"window region of 16 bytes", [&](Bytes& b) { Store32(b, 0, 16); }},
        {"region header size 31", [&](Bytes& b) { Store32(b, 4, 31); }},
        {"region type 2", [&](Bytes& b) { Store32(b, 8, 2); }},
        {"region count one too many", [&](Bytes& b) { Store32(b, 12, 3); }},
        {"region rectangle bytes off by 16", [&](Bytes& b) { Store32(b, 16, 48); }},
        {"string longer than the file", [&](Bytes& b) { b[at.backgroundLength] = 200; }},
        {"the wide-text marker",
         [&](Bytes& b) {
             b[at.backgroundLength] = 255;
             b.insert(b.begin() + at.backgroundLength + 1, {0xFE, 0xFF});
         }},
        {"huge length past the end",
         [&](Bytes& b) {
             b[at.backgroundLength] = 255;
             b.insert(b.begin() + at.backgroundLength + 1, {0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF});
         }},
        {"51 buttons", [&](Bytes& b) { Store32(b, at.buttonCount, 51); }},
        {"-1 buttons", [&](Bytes& b) { Store32(b, at.buttonCount, 0xFFFFFFFF); }},
        {"3 buttons (one missing)", [&](Bytes& b) { Store32(b, at.buttonCount, 3); }},
        {"button region longer than the file", [&](Bytes& b) { Store32(b, at.firstRegionSize, 0xFFFFFFFF); }},
        {"button region shorter than its header says", [&](Bytes& b) { Store32(b, at.firstRegionSize, 40); }},
        {"tooltip longer than the file", [&](Bytes& b) { b[at.firstTooltipLength] = 250; }},
        {"button region of the wrong type", [&](Bytes& b) { Store32(b, at.firstRegion + 4, 0); }},
    };
    // Fifty buttons and no window region are fine.
    SkinFile fifty = TwoButtonSkin();
    fifty.windowRegion.clear();
    fifty.buttons.resize(kMaxSkinButtons);
    EXPECT_TRUE(Parses(SerializeSkinFile(fifty)));
    EXPECT_FALSE(Parses(Bytes()));

    for (const auto& [what, damage] : damages) {
        Bytes bytes = good;
        damage(bytes);
        SkinFile read = TwoButtonSkin();
        read.backgroundName = "untouched";
        EXPECT_FALSE(ParseSkinFile(bytes.data(), bytes.size(), read)) << what;
        EXPECT_EQ("untouched", read.backgroundName) << what;
    }
}

} // namespace
