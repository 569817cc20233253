#pragma once
// The bytes of the skin description file "Quorrel.ini": a binary cache of
// the skin's names, button rectangles, tooltips and the window and button
// shapes as region data, so later starts need not scan the pictures again.
//
// Little-endian throughout. Strings carry a length prefix: one byte below
// 255; else 255 and a 16-bit length below 65534; else 255, the 16-bit
// marker 65535 and a 32-bit length. Texts are in the system's ANSI code page.
//
// This part knows no Windows types, so it can be built natively and fuzzed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The window has room for this many skin buttons.
constexpr int kMaxSkinButtons = 50;
constexpr size_t kSkinButtonStates = 4;

struct SkinFileButton {
    std::array<std::string, kSkinButtonStates> imageNames;
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    std::vector<uint8_t> region; // RGNDATA bytes in the button's own coordinates
    std::string tooltip;

    bool operator==(const SkinFileButton& other) const;
};

struct SkinFile {
    std::vector<uint8_t> windowRegion; // RGNDATA bytes; empty when there is none
    std::string backgroundName;
    std::vector<SkinFileButton> buttons;

    bool operator==(const SkinFile& other) const;
};

// Reads a whole description. False for anything the writer would not have
// written: data cut short, a button count outside 0..50, a string or region
// longer than the bytes left, or region bytes that are not a rectangle
// list. Nothing is read past `size`, and nothing larger than the input is
// allocated. `out` is only changed on success.
bool ParseSkinFile(const uint8_t* data, size_t size, SkinFile& out);

std::vector<uint8_t> SerializeSkinFile(const SkinFile& file);

// Region data as GetRegionData writes it: a 32-byte header (size 32, type 1
// for rectangles, rectangle count, byte size of the rectangles, bounds)
// followed by count rectangles of 16 bytes. An empty block means "no region"
// and is also accepted.
bool IsValidRegionData(const uint8_t* data, size_t size);
