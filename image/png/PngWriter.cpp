// Writing of PNG files; libpng errors longjmp back to EncodePng.
#include "image/png/PngImage.h"

#include "image/io/StdioFile.h"
#include "image/palette/DibPalette.h"

#include <png.h>

#include <cstdint>
#include <cstdio>

namespace {

// The file's colour type follows from the picture itself, not from the
// colorType it carries: a 24-bit picture read from an RGBA file still says 6.
int PngColorTypeOf(const CImageImpl& picture)
{
    if (picture.GetBitCount() <= 8)
        return picture.GetPalette() ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_GRAY;
    if (picture.GetBitCount() == 24 || picture.GetBitCount() == 32)
        return PNG_COLOR_TYPE_RGB;
    return -1;
}

int WritePng(png_structp png, png_infop info, const CImageImpl& picture)
{
    const int colorType = PngColorTypeOf(picture);
    const int bitDepth = picture.GetBitCount() <= 8 ? picture.GetBitCount() : 8;
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.GetWidth()), static_cast<png_uint_32>(picture.GetHeight()),
                 bitDepth, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);

    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        const CDibPalette* palette = picture.GetPalette();
        std::printf("writig paleta[%d %d %x]\n", picture.GetColorType(), 1,
                    static_cast<unsigned>(reinterpret_cast<uintptr_t>(palette)));
        // Entries the picture's palette lacks are written black, never as
        // whatever memory held.
        png_color entries[256] = {};
        const int count = 1 << bitDepth; // libpng refuses more than the depth can index
        PALETTEENTRY colors[256] = {};
        GetPaletteEntries(palette->GetHandle(), 0, static_cast<UINT>(count), colors);
        for (int i = 0; i < count; ++i) {
            entries[i].red = colors[i].peRed;
            entries[i].green = colors[i].peGreen;
            entries[i].blue = colors[i].peBlue;
        }
        png_set_PLTE(png, info, entries, count);
    }
    png_write_info(png, info);
    if (picture.GetBitCount() >= 24)
        png_set_bgr(png);
    if (picture.GetBitCount() == 32)
        png_set_filler(png, 0, PNG_FILLER_AFTER);

    const uint8_t* row = picture.GetBits() + static_cast<size_t>(picture.GetHeight() - 1) * picture.GetRowStride();
    for (int y = 0; y < picture.GetHeight(); ++y, row -= picture.GetRowStride())
        png_write_row(png, row);
    png_write_end(png, info);
    return 1;
}

int EncodePng(png_structp png, png_infop info, const CImageImpl& picture)
{
    if (setjmp(png_jmpbuf(png)))
        return 0;
    return WritePng(png, info, picture);
}

} // namespace

int CPngImage::Save(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    if (!HasPlainRows() || GetDib()->biCompression != BI_RGB || GetWidth() <= 0 || GetHeight() <= 0 ||
        PngColorTypeOf(*this) < 0)
        return 0;
    const StdioFile file = OpenStdioFile(path, "wb");
    if (!file)
        return 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return 0;
    }
    png_init_io(png, file.get());
    const int result = EncodePng(png, info, *this);
    png_destroy_write_struct(&png, &info);
    return result;
}
