#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include "image/io/LittleEndian.h"

#include <cstdio>
#include <vector>

bool WriteBmpInput(const PhotoPicture& picture, const std::string& path)
{
    const uint32_t width = static_cast<uint32_t>(picture.Width());
    const uint32_t height = static_cast<uint32_t>(picture.Height());
    const uint32_t stride = (width * 3 + 3) / 4 * 4;
    const uint32_t imageBytes = stride * height;
    uint8_t header[54] = {'B', 'M'};
    StoreLe32(header + 2, 54 + imageBytes);
    StoreLe32(header + 10, 54);
    StoreLe32(header + 14, 40);
    StoreLe32(header + 18, width);
    StoreLe32(header + 22, height);
    StoreLe16(header + 26, 1);
    StoreLe16(header + 28, 24);
    StoreLe32(header + 34, imageBytes);

    // Rows are built top first and placed bottom-up in one buffer.
    std::vector<uint8_t> pixels(imageBytes);
    std::vector<uint8_t> rgb(width * 3);
    for (uint32_t y = 0; y < height; ++y) {
        picture.Row(static_cast<int>(y), rgb.data());
        uint8_t* row = &pixels[static_cast<size_t>(height - 1 - y) * stride];
        for (uint32_t x = 0; x < width; ++x) {
            row[x * 3 + 0] = rgb[x * 3 + 2];
            row[x * 3 + 1] = rgb[x * 3 + 1];
            row[x * 3 + 2] = rgb[x * 3 + 0];
        }
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "bench_inputs: cannot create %s\n", path.c_str());
        return false;
    }
    const bool written = std::fwrite(header, 1, sizeof header, file) == sizeof header &&
                         std::fwrite(pixels.data(), 1, pixels.size(), file) == pixels.size();
    return std::fclose(file) == 0 && written;
}
