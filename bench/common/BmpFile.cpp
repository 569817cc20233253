#include "common/BmpFile.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

uint32_t Get32(const uint8_t* bytes)
{
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

} // namespace

std::vector<uint8_t> ReadWholeFile(const std::string& path)
{
    std::vector<uint8_t> bytes;
    const std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return bytes;
    std::fseek(file.get(), 0, SEEK_END);
    const long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    if (size <= 0)
        return bytes;
    bytes.resize(static_cast<size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        bytes.clear();
    return bytes;
}

bool ReadBmpContent(const std::string& path, BmpContent& content, std::string& why)
{
    const std::vector<uint8_t> file = ReadWholeFile(path);
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
        why = path + " is no BMP file";
        return false;
    }
    const uint32_t offBits = Get32(&file[10]);
    const uint32_t headerSize = Get32(&file[14]);
    content.width = static_cast<int>(Get32(&file[18]));
    content.height = static_cast<int>(Get32(&file[22]));
    content.bitCount = file[28] | file[29] << 8;
    uint32_t colors = Get32(&file[46]);
    if (colors == 0 && content.bitCount <= 8)
        colors = 1u << content.bitCount;
    if (headerSize != 40 || content.width <= 0 || content.height <= 0 || colors > 256) {
        why = path + " has a header this check does not read";
        return false;
    }
    content.rowStride = (content.width * content.bitCount + 31) / 32 * 4;
    const size_t pixelBytes = static_cast<size_t>(content.rowStride) * static_cast<size_t>(content.height);
    if (54 + 4 * colors > file.size() || offBits + pixelBytes > file.size()) {
        why = path + " is shorter than its header says";
        return false;
    }
    content.colorTable.assign(file.begin() + 54, file.begin() + 54 + 4 * colors);
    content.pixels.assign(file.begin() + offBits, file.begin() + offBits + pixelBytes);
    return true;
}

std::string CompareIndexedBmps(const BmpContent& ours, const BmpContent& peer)
{
    if (ours.width != peer.width || ours.height != peer.height || ours.bitCount != 8 || peer.bitCount != 8)
        return "sizes or depths differ";
    std::string rows =
        CompareRows(ours.pixels.data(), ours.rowStride, peer.pixels.data(), peer.rowStride, ours.width, ours.height, 1);
    if (!rows.empty())
        return "pixel indices: " + rows;
    bool used[256] = {};
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x)
            used[ours.pixels[static_cast<size_t>(y) * ours.rowStride + x]] = true;
    for (int index = 0; index < 256; ++index) {
        if (!used[index])
            continue;
        const size_t at = static_cast<size_t>(index) * 4;
        if (at + 3 > ours.colorTable.size() || at + 3 > peer.colorTable.size() ||
            std::memcmp(&ours.colorTable[at], &peer.colorTable[at], 3) != 0)
            return "colour of index " + std::to_string(index) + " differs";
    }
    return "";
}

std::string CompareRows(const uint8_t* ours, int oursStride, const uint8_t* peer, int peerStride, int width, int height,
                        int bytesPerPixel)
{
    const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    for (int y = 0; y < height; ++y) {
        const uint8_t* a = ours + static_cast<size_t>(y) * oursStride;
        const uint8_t* b = peer + static_cast<size_t>(y) * peerStride;
        if (std::memcmp(a, b, rowBytes) == 0)
            continue;
        size_t x = 0;
        while (a[x] == b[x])
            ++x;
        char where[96];
        std::snprintf(where, sizeof where, "first difference in array row %d, byte %u (%u vs %u)", y,
                      static_cast<unsigned>(x), a[x], b[x]);
        return where;
    }
    return "";
}
