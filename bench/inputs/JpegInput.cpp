#include "inputs/InputWriters.h"
#include "inputs/PhotoPicture.h"

#include <cstdio>
#include <vector>

#include <jpeglib.h>

bool WriteJpegInput(const PhotoPicture& picture, const std::string& path)
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
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 90, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(picture.Width()) * 3);
    JSAMPROW rows[1] = {row.data()};
    for (int y = 0; y < picture.Height(); ++y) {
        picture.Row(y, row.data());
        jpeg_write_scanlines(&encoder, rows, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return std::fclose(file) == 0;
}
