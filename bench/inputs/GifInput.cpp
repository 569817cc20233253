#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <gif_lib.h>

namespace {

// The palette: 8 red, 8 green and 4 blue levels spread over 0..255.
constexpr int kRedLevels = 8;
constexpr int kGreenLevels = 8;
constexpr int kBlueLevels = 4;

int Level(int value, int levels)
{
    return (value * (levels - 1) + 127) / 255;
}

int LevelValue(int level, int levels)
{
    return level * 255 / (levels - 1);
}

ColorMapObject* MakePalette()
{
    GifColorType colors[256];
    for (int index = 0; index < 256; ++index) {
        colors[index].Red = static_cast<GifByteType>(LevelValue(index >> 5, kRedLevels));
        colors[index].Green = static_cast<GifByteType>(LevelValue(index >> 2 & 7, kGreenLevels));
        colors[index].Blue = static_cast<GifByteType>(LevelValue(index & 3, kBlueLevels));
    }
    return GifMakeMapObject(256, colors);
}

// Floyd–Steinberg error diffusion of one row into palette indices. errors
// holds this row's incoming error (3 ints per pixel, with one pixel of margin
// on each side); next receives what it hands to the row below.
void DitherRow(const uint8_t* rgb, int width, std::vector<int>& errors, std::vector<int>& next, uint8_t* indices)
{
    std::fill(next.begin(), next.end(), 0);
    const int levels[3] = {kRedLevels, kGreenLevels, kBlueLevels};
    for (int x = 0; x < width; ++x) {
        int chosen[3];
        for (int channel = 0; channel < 3; ++channel) {
            const int at = (x + 1) * 3 + channel;
            const int wanted = std::clamp(rgb[x * 3 + channel] + errors[at] / 16, 0, 255);
            const int level = Level(wanted, levels[channel]);
            const int error = wanted - LevelValue(level, levels[channel]);
            errors[at + 3] += error * 7;
            next[at - 3] += error * 3;
            next[at] += error * 5;
            next[at + 3] += error;
            chosen[channel] = level;
        }
        indices[x] = static_cast<uint8_t>(chosen[0] << 5 | chosen[1] << 2 | chosen[2]);
    }
    errors.swap(next);
}

} // namespace

bool WriteGifInput(const PhotoPicture& picture, const std::string& path)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) {
        std::fprintf(stderr, "bench_inputs: cannot create %s\n", path.c_str());
        return false;
    }
    const int width = picture.Width();
    const int height = picture.Height();
    ColorMapObject* palette = MakePalette();
    bool written = EGifPutScreenDesc(gif, width, height, 8, 0, palette) == GIF_OK &&
                   EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    GifFreeMapObject(palette);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
    std::vector<uint8_t> indices(static_cast<size_t>(width));
    std::vector<int> errors(static_cast<size_t>(width + 2) * 3);
    std::vector<int> next(errors.size());
    for (int y = 0; written && y < height; ++y) {
        picture.Row(y, rgb.data());
        DitherRow(rgb.data(), width, errors, next, indices.data());
        written = EGifPutLine(gif, indices.data(), width) == GIF_OK;
    }
    return EGifCloseFile(gif, &error) == GIF_OK && written;
}
