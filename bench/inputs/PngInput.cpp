#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include <cstdio>
#include <vector>

#include <png.h>

bool WritePngInput(const PhotoPicture& picture, const std::string& path, bool withAlpha)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "bench_inputs: cannot create %s\n", path.c_str());
        return false;
    }
    // libpng's default error handler aborts, which is what a generator wants.
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    const int channels = withAlpha ? 4 : 3;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.Width()), static_cast<png_uint_32>(picture.Height()), 8,
                 withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t width = static_cast<size_t>(picture.Width());
    std::vector<uint8_t> rgb(width * 3);
    std::vector<uint8_t> alpha(width);
    std::vector<uint8_t> row(width * channels);
    for (int y = 0; y < picture.Height(); ++y) {
        picture.Row(y, rgb.data());
        if (withAlpha) {
            picture.AlphaRow(y, alpha.data());
            for (size_t x = 0; x < width; ++x) {
                row[x * 4 + 0] = rgb[x * 3 + 0];
                row[x * 4 + 1] = rgb[x * 3 + 1];
                row[x * 4 + 2] = rgb[x * 3 + 2];
                row[x * 4 + 3] = alpha[x];
            }
            png_write_row(png, row.data());
        } else {
            png_write_row(png, rgb.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
