// write_seeds OUT TARGET...: writes the seed corpus of each fuzz target into
// OUT/<target, lower case>: small valid files of every kind the reader knows,
// made by the tests' own builders, so that mutations start from deep inside
// each format. A new target adds its writer to kWriters.

#include "image/bmp/BmpParser.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/GifEncoder.h"
#include "ui/skin/SkinFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Seeds = std::vector<std::vector<uint8_t>>;

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> Pattern(size_t count, int modulo)
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>((i * 7 + i / 5) % static_cast<size_t>(modulo));
    return bytes;
}

Seeds BmpSeeds()
{
    Seeds seeds;
    for (int bitCount : {1, 4, 8, 16, 24, 32}) {
        BmpContents contents;
        contents.width = 7;
        contents.height = bitCount == 8 ? -3 : 3; // one top-down file
        contents.bitCount = bitCount;
        if (bitCount <= 8) {
            contents.clrUsed = bitCount == 8 ? 20 : 0;
            contents.colorTable = Pattern((bitCount == 8 ? 20u : 1u << bitCount) * 4, 256);
        }
        contents.pixels = Pattern(static_cast<size_t>(StrideOf(bitCount, 7)) * 3, 256);
        seeds.push_back(BuildBmp(contents));
    }
    BmpContents core;
    core.headerSize = 12;
    core.width = 5;
    core.height = 2;
    core.bitCount = 8;
    core.colorTable = Pattern(256 * 3, 256);
    core.pixels = Pattern(16, 256);
    seeds.push_back(BuildBmp(core));
    for (int headerSize : {40, 52, 56, 108, 124}) {
        BmpContents fields;
        fields.headerSize = headerSize;
        fields.fileHeader = headerSize != 56; // and one bare DIB
        fields.width = 4;
        fields.height = 2;
        fields.bitCount = headerSize == 108 ? 16 : 32;
        fields.compression = kBiBitfields;
        fields.masks = headerSize == 108 ? std::vector<uint32_t>{0xF800, 0x7E0, 0x1F}
                                         : std::vector<uint32_t>{0xFF0000, 0xFF00, 0xFF};
        fields.pixels = Pattern(static_cast<size_t>(StrideOf(fields.bitCount, 4)) * 2, 256);
        seeds.push_back(BuildBmp(fields));
    }
    BmpContents rle8;
    rle8.width = 6;
    rle8.height = 4;
    rle8.bitCount = 8;
    rle8.compression = kBiRle8;
    rle8.clrUsed = 4;
    rle8.colorTable = Pattern(16, 256);
    // a run, an absolute stretch, end of line, a delta, end of picture
    rle8.pixels = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 2, 2, 0, 1};
    seeds.push_back(BuildBmp(rle8));
    BmpContents rle4 = rle8;
    rle4.bitCount = 4;
    rle4.compression = kBiRle4;
    rle4.pixels = {5, 0x12, 0, 4, 0x34, 0x56, 0, 0, 2, 0x77, 0, 1};
    seeds.push_back(BuildBmp(rle4));
    return seeds;
}

GifContents Picture(int width, int height, int colours)
{
    GifContents contents;
    contents.width = width;
    contents.height = height;
    contents.globalTable = RampTable(colours);
    int bits = 1;
    while ((1 << bits) < colours)
        ++bits;
    contents.minCodeSize = bits < 2 ? 2 : bits;
    contents.pixels = Pattern(static_cast<size_t>(width) * static_cast<size_t>(height), colours);
    return contents;
}

// The images of second appended to first as further frames.
std::vector<uint8_t> Animation(const GifContents& first, const GifContents& second)
{
    std::vector<uint8_t> file = EncodeGif(first);
    file.pop_back(); // trailer
    const std::vector<uint8_t> more = EncodeGif(second);
    file.insert(file.end(), more.begin() + 13 + static_cast<long>(second.globalTable.size()), more.end());
    return file;
}

// A stream that starts without a clear code and fills the table, then
// goes on at twelve bits without clearing it.
std::vector<uint8_t> FullTableWithoutClears()
{
    GifContents contents = Picture(64, 70, 4);
    std::vector<uint8_t> file = EncodeGif(contents);
    const size_t data = 13 + contents.globalTable.size() + 10;
    file.resize(data + 1); // keep the minimum code size byte
    CodeWriter codes;
    int size = 3;
    int next = 6;
    for (int i = 0; i < 4480; ++i) {
        codes.Put(i % 4, size);
        if (i > 0 && next < 4096 && ++next == (1 << size) && size < 12)
            ++size;
    }
    codes.Put(5, size);
    const std::vector<uint8_t> blocks = PackSubBlocks(codes.Finish());
    file.insert(file.end(), blocks.begin(), blocks.end());
    file.push_back(0x3B);
    return file;
}

Seeds GifSeeds()
{
    Seeds seeds;
    seeds.push_back(EncodeGif(Picture(8, 8, 2)));
    GifContents interlaced = Picture(17, 11, 16);
    interlaced.interlaced = true;
    seeds.push_back(EncodeGif(interlaced));
    GifContents transparent = Picture(32, 9, 256);
    transparent.transparentIndex = 7;
    transparent.signature = "GIF87a";
    seeds.push_back(EncodeGif(transparent));
    GifContents local = Picture(5, 5, 8);
    local.localTable = RampTable(32);
    local.minCodeSize = 5;
    seeds.push_back(EncodeGif(local));
    GifContents noTable = Picture(6, 3, 4);
    noTable.globalTable.clear();
    seeds.push_back(EncodeGif(noTable));
    GifContents smaller = Picture(3, 2, 64);
    smaller.localTable = RampTable(4);
    smaller.minCodeSize = 6;
    seeds.push_back(Animation(Picture(12, 10, 64), smaller));
    seeds.push_back(FullTableWithoutClears());
    return seeds;
}

Seeds FileTypeSeeds()
{
    Seeds seeds;
    for (const char* path : {"C:\\Pics\\a.bmp", "C:\\Pics\\photo.JPEG", "b.Gif", "D:\\x.y\\noext", "a.", ".png",
                             "\\\\server\\share\\p.b.jpg", "C:\\a.xpm"})
        seeds.push_back(Bytes(path));
    return seeds;
}

// A region block as GetRegionData writes it: header, then the rectangles.
std::vector<uint8_t> RegionData(const std::vector<std::array<int32_t, 4>>& rectangles)
{
    std::vector<int32_t> words = {
        32, 1, static_cast<int32_t>(rectangles.size()), static_cast<int32_t>(rectangles.size() * 16), 0, 0, 0, 0};
    for (const auto& rectangle : rectangles)
        words.insert(words.end(), rectangle.begin(), rectangle.end());
    if (!rectangles.empty()) {
        words[4] = rectangles.front()[0];
        words[5] = rectangles.front()[1];
        words[6] = rectangles.back()[2];
        words[7] = rectangles.back()[3];
    }
    std::vector<uint8_t> bytes;
    for (const int32_t word : words)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(word) >> shift));
    return bytes;
}

// Descriptions with no, one and six buttons, and names at the lengths where
// the length prefix changes form.
Seeds SkinFileSeeds()
{
    Seeds seeds;
    for (const int buttonCount : {0, 1, 6}) {
        SkinFile file;
        file.backgroundName = buttonCount == 1 ? std::string(255, 'b') : "bg.bmp";
        file.windowRegion = RegionData({{0, 0, 380, 4}, {2, 4, 378, 360}});
        for (int i = 0; i < buttonCount; ++i) {
            SkinFileButton button;
            for (size_t state = 0; state < kSkinButtonStates; ++state)
                button.imageNames[state] = "button" + std::to_string(i) + "_" + std::to_string(state) + ".bmp";
            button.left = 61 + i;
            button.top = 15;
            button.right = 141 + i;
            button.bottom = 55;
            button.region = i % 2 ? std::vector<uint8_t>() : RegionData({{1, 0, 79, 40}});
            button.tooltip = std::string(i == 0 ? 254 : 12, 't');
            file.buttons.push_back(button);
        }
        seeds.push_back(SerializeSkinFile(file));
    }
    return seeds;
}

struct SeedWriter {
    const char* target;
    Seeds (*seeds)();
};

const SeedWriter kWriters[] = {
    {"bmp", BmpSeeds},
    {"gif", GifSeeds},
    {"filetype", FileTypeSeeds},
    {"skinfile", SkinFileSeeds},
};

std::string Lowercase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool WriteSeeds(const std::filesystem::path& folder, const Seeds& seeds)
{
    std::filesystem::create_directories(folder);
    for (size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream file(folder / ("seed-" + std::to_string(i)), std::ios::binary);
        file.write(reinterpret_cast<const char*>(seeds[i].data()), static_cast<std::streamsize>(seeds[i].size()));
        if (!file)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: write_seeds OUT TARGET...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const std::string target = Lowercase(argv[i]);
        const auto writer = std::find_if(std::begin(kWriters), std::end(kWriters),
                                         [&](const SeedWriter& w) { return target == w.target; });
        if (writer == std::end(kWriters)) {
            std::fprintf(stderr, "write_seeds: no seeds for target %s\n", argv[i]);
            return 1;
        }
        if (!WriteSeeds(std::filesystem::path(argv[1]) / target, writer->seeds())) {
            std::fprintf(stderr, "write_seeds: cannot write into %s\n", argv[1]);
            return 1;
        }
    }
    return 0;
}
