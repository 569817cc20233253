#include "tests/image/support/GifEncoder.h"

#include <map>
#include <utility>

void CodeWriter::Put(int code, int bits)
{
    reservoir_ |= static_cast<uint32_t>(code) << reservoirBits_;
    reservoirBits_ += bits;
    while (reservoirBits_ >= 8) {
        bytes_.push_back(static_cast<uint8_t>(reservoir_ & 0xFF));
        reservoir_ >>= 8;
        reservoirBits_ -= 8;
    }
}

std::vector<uint8_t> CodeWriter::Finish()
{
    if (reservoirBits_ > 0)
        bytes_.push_back(static_cast<uint8_t>(reservoir_ & 0xFF));
    reservoir_ = 0;
    reservoirBits_ = 0;
    return std::move(bytes_);
}

std::vector<uint8_t> LzwEncode(const std::vector<uint8_t>& pixels, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    CodeWriter out;
    std::map<std::pair<int, int>, int> table;
    int codeSize = minCodeSize + 1;
    int nextCode = clearCode + 2;
    out.Put(clearCode, codeSize);
    if (pixels.empty()) {
        out.Put(endCode, codeSize);
        return out.Finish();
    }
    int current = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const int pixel = pixels[i];
        const auto found = table.find({current, pixel});
        if (found != table.end()) {
            current = found->second;
            continue;
        }
        out.Put(current, codeSize);
        if (nextCode < 4096) {
            table[{current, pixel}] = nextCode++;
            if (nextCode > (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            out.Put(clearCode, codeSize);
            table.clear();
            nextCode = clearCode + 2;
            codeSize = minCodeSize + 1;
        }
        current = pixel;
    }
    out.Put(current, codeSize);
    out.Put(endCode, codeSize);
    return out.Finish();
}

std::vector<uint8_t> PackSubBlocks(const std::vector<uint8_t>& data)
{
    std::vector<uint8_t> blocks;
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t length = data.size() - at < 255 ? data.size() - at : 255;
        blocks.push_back(static_cast<uint8_t>(length));
        blocks.insert(blocks.end(), data.begin() + static_cast<long>(at),
                      data.begin() + static_cast<long>(at + length));
    }
    blocks.push_back(0);
    return blocks;
}

std::vector<int> InterlacedLineOrder(int height)
{
    std::vector<int> order;
    const int starts[] = {0, 4, 2, 1};
    const int steps[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int line = starts[pass]; line < height; line += steps[pass])
            order.push_back(line);
    return order;
}

std::vector<uint8_t> RampTable(int entries)
{
    std::vector<uint8_t> table;
    for (int i = 0; i < entries; ++i) {
        table.push_back(static_cast<uint8_t>(i));
        table.push_back(static_cast<uint8_t>(255 - i));
        table.push_back(static_cast<uint8_t>(i / 2));
    }
    return table;
}

namespace {

void Put16(std::vector<uint8_t>& out, int value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

int TableSizeBits(size_t bytes)
{
    int bits = 0;
    while ((2u << bits) * 3 < bytes)
        ++bits;
    return bits;
}

} // namespace

std::vector<uint8_t> EncodeGif(const GifContents& contents)
{
    std::vector<uint8_t> out(contents.signature.begin(), contents.signature.end());
    Put16(out, contents.width);
    Put16(out, contents.height);
    uint8_t screenFlags = 0x70;
    if (!contents.globalTable.empty())
        screenFlags |= static_cast<uint8_t>(0x80 | TableSizeBits(contents.globalTable.size()));
    out.push_back(screenFlags);
    out.push_back(0); // background colour
    out.push_back(0); // aspect ratio
    out.insert(out.end(), contents.globalTable.begin(), contents.globalTable.end());

    if (contents.transparentIndex >= 0) {
        const uint8_t control[] = {0x21, 0xF9, 4, 1, 0, 0, static_cast<uint8_t>(contents.transparentIndex), 0};
        out.insert(out.end(), control, control + sizeof control);
    }

    out.push_back(0x2C);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, contents.width);
    Put16(out, contents.height);
    uint8_t imageFlags = contents.interlaced ? 0x40 : 0;
    if (!contents.localTable.empty())
        imageFlags |= static_cast<uint8_t>(0x80 | TableSizeBits(contents.localTable.size()));
    out.push_back(imageFlags);
    out.insert(out.end(), contents.localTable.begin(), contents.localTable.end());

    std::vector<uint8_t> stored;
    if (contents.interlaced) {
        for (int line : InterlacedLineOrder(contents.height))
            stored.insert(stored.end(), contents.pixels.begin() + line * contents.width,
                          contents.pixels.begin() + (line + 1) * contents.width);
    } else {
        stored = contents.pixels;
    }
    out.push_back(static_cast<uint8_t>(contents.minCodeSize));
    const std::vector<uint8_t> blocks = PackSubBlocks(LzwEncode(stored, contents.minCodeSize));
    out.insert(out.end(), blocks.begin(), blocks.end());
    out.push_back(0x3B);
    return out;
}
