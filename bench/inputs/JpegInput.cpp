#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace {

// The picture in inks with as much black as each colour allows, stored
// inverted as Adobe's programs store them.
void InvertedInks(const uint8_t* rgb, uint8_t* inks, int width)
{
    for (int x = 0; x < width; ++x, rgb += 3, inks += 4) {
        const int brightest = std::max({rgb[0], rgb[1], rgb[2]});
        for (int c = 0; c < 3; ++c)
            inks[c] = static_cast<uint8_t>(brightest == 0 ? 255 : 255 - (brightest - rgb[c]) * 255 / brightest);
        inks[3] = static_cast<uint8_t>(brightest);
    }
}

} // namespace

bool WriteJpegInput(const PhotoPicture& picture, const std::string& path, bool inks)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "bench_inputs: cannot create %s\n", path.c_str());
        return false;
    }
    // The library's default error handler ends the program, which is what
    // a generator wants.
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(picture.Width());
    encoder.image_height = static_cast<JDIMENSION>(picture.Height());
    encoder.input_components = inks ? 4 : 3;
    encoder.in_color_space = inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&encoder);
    if (inks) {
        jpeg_set_colorspace(&encoder, JCS_YCCK);
        encoder.write_Adobe_marker = TRUE;
    }
    jpeg_set_quality(&encoder, 90, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(picture.Width()) * 3);
    std::vector<uint8_t> inkRow(static_cast<size_t>(picture.Width()) * 4);
    JSAMPROW rows[1] = {inks ? inkRow.data() : row.data()};
    for (int y = 0; y < picture.Height(); ++y) {
        picture.Row(y, row.data());
        if (inks)
            InvertedInks(row.data(), inkRow.data(), picture.Width());
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return std::fclose(file) == 0;
}
