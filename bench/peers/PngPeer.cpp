#include "peers/PngPeer.h"

#include <cstdio>

#include <png.h>
#include <spng.h>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

struct SpngContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

// Rows top first, each into its place in the bottom-up layout. libpng jumps
// back here on an error, so nothing with a destructor lives in this frame.
bool ReadLibpngRows(png_structp png, png_infop info, PeerPicture& picture)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    const png_color_16 background = {0, 31, 127, 255, 0};
    png_set_background(png, &background, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    png_set_bgr(png);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8)
        return false;
    const int width = static_cast<int>(png_get_image_width(png, info));
    const int height = static_cast<int>(png_get_image_height(png, info));
    if (!picture.Allocate(width, height, 3))
        return false;
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < height; ++y)
            png_read_row(png, picture.PictureLine(y), nullptr);
    png_read_end(png, info);
    return true;
}

} // namespace

PeerPicture DecodePngWithSpng(const std::string& path)
{
    PeerPicture picture;
    const File file(std::fopen(path.c_str(), "rb"));
    const std::unique_ptr<spng_ctx, SpngContextDeleter> context(spng_ctx_new(0));
    if (!file || !context || spng_set_png_file(context.get(), file.get()) != 0)
        return picture;
    spng_ihdr header;
    if (spng_get_ihdr(context.get(), &header) != 0 || header.interlace_method != 0)
        return picture;
    if (!picture.Allocate(static_cast<int>(header.width), static_cast<int>(header.height), 3))
        return picture;
    if (spng_decode_image(context.get(), nullptr, 0, SPNG_FMT_RGB8, SPNG_DECODE_PROGRESSIVE) != 0)
        return PeerPicture();
    const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
    spng_row_info row;
    while (spng_get_row_info(context.get(), &row) == 0) {
        const int result = spng_decode_row(context.get(), picture.PictureLine(static_cast<int>(row.row_num)), rowBytes);
        if (result == SPNG_EOI)
            break;
        if (result != 0)
            return PeerPicture();
    }
    return picture;
}

PeerPicture DecodePngWithLibpng(const std::string& path)
{
    PeerPicture picture;
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return picture;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info) {
        png_init_io(png, file.get());
        if (!ReadLibpngRows(png, info, picture))
            picture = PeerPicture();
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return picture;
}
