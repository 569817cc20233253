#include "tests/image/support/ModernWriters.h"

#include <webp/encode.h>

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> WebpFile(const std::vector<uint8_t>& bgra, int w, int h, int quality)
{
    uint8_t* output = nullptr;
    const size_t size = quality < 0 ? WebPEncodeLosslessBGRA(bgra.data(), w, h, w * 4, &output)
                                    : WebPEncodeBGRA(bgra.data(), w, h, w * 4, static_cast<float>(quality), &output);
    std::vector<uint8_t> bytes(output, output + size);
    WebPFree(output);
    return bytes;
}

std::vector<uint8_t> TiffFile(uint32_t width, uint32_t height, uint32_t channels, uint32_t orientation,
                              const std::vector<uint8_t>& samples)
{
    const uint32_t count = channels == 4 ? 12 : 11, depthsAt = 8 + 2 + count * 12 + 4;
    const uint32_t entries[][4] = {{256, 4, 1, width},
                                   {257, 4, 1, height},
                                   {258, 3, channels, depthsAt},
                                   {259, 3, 1, 1},
                                   {262, 3, 1, 2},
                                   {273, 4, 1, depthsAt + 2 * channels},
                                   {274, 3, 1, orientation},
                                   {277, 3, 1, channels},
                                   {278, 4, 1, height},
                                   {279, 4, 1, static_cast<uint32_t>(samples.size())},
                                   {284, 3, 1, 1},
                                   {338, 3, 1, 2}};
    std::vector<uint8_t> bytes = {'I', 'I', 42, 0, 8, 0, 0, 0};
    PutLittleEndian(bytes, count, 2);
    for (uint32_t i = 0; i < count; ++i)
        for (int field = 0; field < 4; ++field)
            PutLittleEndian(bytes, entries[i][field], field < 2 ? 2 : 4);
    PutLittleEndian(bytes, 0, 4);
    for (uint32_t i = 0; i < channels; ++i)
        PutLittleEndian(bytes, 8, 2);
    bytes.insert(bytes.end(), samples.begin(), samples.end());
    return bytes;
}
