#include "tests/image/support/BmpBuilder.h"

#include <cstddef>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

int StrideOf(int bitCount, int width)
{
    return ((bitCount * width + 31) / 32) * 4;
}

std::vector<uint8_t> BuildBmp(const BmpContents& contents)
{
    std::vector<uint8_t> header;
    if (contents.headerSize == 12) {
        Put32(header, 12);
        Put16(header, static_cast<uint32_t>(contents.width));
        Put16(header, static_cast<uint32_t>(contents.height));
        Put16(header, 1);
        Put16(header, static_cast<uint32_t>(contents.bitCount));
    } else {
        Put32(header, static_cast<uint32_t>(contents.headerSize));
        Put32(header, static_cast<uint32_t>(contents.width));
        Put32(header, static_cast<uint32_t>(contents.height));
        Put16(header, 1);
        Put16(header, static_cast<uint32_t>(contents.bitCount));
    }
    if (contents.headerSize > 16) {
        Put32(header, contents.compression);
        Put32(header, contents.sizeImage);
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, contents.clrUsed);
        Put32(header, 0);
        // Longer headers carry the masks inside, then zeros for the rest.
        for (size_t i = 0; header.size() < static_cast<size_t>(contents.headerSize); ++i)
            Put32(header, i < contents.masks.size() && contents.headerSize > 40 ? contents.masks[i] : 0);
    }
    std::vector<uint8_t> afterHeader;
    if (contents.headerSize == 40)
        for (uint32_t mask : contents.masks)
            Put32(afterHeader, mask);
    afterHeader.insert(afterHeader.end(), contents.colorTable.begin(), contents.colorTable.end());

    std::vector<uint8_t> out;
    const uint32_t offBits = static_cast<uint32_t>(14 + header.size() + afterHeader.size());
    if (contents.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, static_cast<uint32_t>(offBits + contents.pixels.size()));
        Put32(out, 0);
        Put32(out, contents.zeroOffBits ? 0 : offBits);
    }
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), afterHeader.begin(), afterHeader.end());
    out.insert(out.end(), contents.pixels.begin(), contents.pixels.end());
    return out;
}
