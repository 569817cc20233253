#include "tests/image/support/LibraryWriters.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <png.h>

bool WriteTestPng(const std::string& path, const PngContents& contents)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(contents.width), static_cast<png_uint_32>(contents.height),
                 contents.bitDepth, contents.colorType, contents.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!contents.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(contents.palette.data()),
                     static_cast<int>(contents.palette.size() / 3));
    if (!contents.alphas.empty())
        png_set_tRNS(png, info, contents.alphas.data(), static_cast<int>(contents.alphas.size()), nullptr);
    if (contents.transparentGrey >= 0) {
        png_color_16 key = {};
        key.gray = static_cast<png_uint_16>(contents.transparentGrey);
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    if (!contents.exif.empty())
        png_set_eXIf_1(png, info, static_cast<png_uint_32>(contents.exif.size()),
                       const_cast<png_bytep>(contents.exif.data()));
    if (!contents.profile.empty())
        png_set_iCCP(png, info, "icc", 0, contents.profile.data(), static_cast<png_uint_32>(contents.profile.size()));
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const size_t rowBytes = contents.rows.size() / static_cast<size_t>(contents.height);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < contents.height; ++y)
            png_write_row(png, contents.rows.data() + static_cast<size_t>(y) * rowBytes);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}

PngPalette ReadPngPalette(const std::string& path)
{
    PngPalette result;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return result;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(file);
        return PngPalette();
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_colorp palette = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &palette, &count)) {
        result.present = true;
        for (int i = 0; i < count; ++i)
            result.triples.insert(result.triples.end(), {palette[i].red, palette[i].green, palette[i].blue});
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return result;
}

namespace {

// Writes samples (rows top first) of the given colour space; the file stores
// them as stored, with or without the Adobe marker.
bool EncodeTestJpeg(const std::string& path, int width, int height, int components, J_COLOR_SPACE input,
                    J_COLOR_SPACE stored, bool adobeMarker, const std::vector<uint8_t>& samples, int quality,
                    const JpegLayout& layout = JpegLayout(), const JpegSegments& segments = JpegSegments())
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = input;
    jpeg_set_defaults(&encoder);
    jpeg_set_colorspace(&encoder, stored);
    encoder.write_Adobe_marker = adobeMarker;
    jpeg_set_quality(&encoder, quality, TRUE);
    if (stored == JCS_YCbCr) {
        encoder.comp_info[0].h_samp_factor = layout.lumaWide;
        encoder.comp_info[0].v_samp_factor = layout.lumaHigh;
    }
    if (layout.progressive)
        jpeg_simple_progression(&encoder);
    encoder.restart_in_rows = layout.restartRows;
    jpeg_start_compress(&encoder, TRUE);
    if (!segments.app1.empty())
        jpeg_write_marker(&encoder, JPEG_APP0 + 1, segments.app1.data(),
                          static_cast<unsigned int>(segments.app1.size()));
    if (!segments.profile.empty())
        jpeg_write_icc_profile(&encoder, segments.profile.data(), static_cast<unsigned int>(segments.profile.size()));
    while (encoder.next_scanline < encoder.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data()) +
                       static_cast<size_t>(encoder.next_scanline) * static_cast<size_t>(width * components);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    std::fclose(file);
    return true;
}

} // namespace

bool WriteTestJpeg(const std::string& path, int width, int height, int components, const std::vector<uint8_t>& samples,
                   int quality, const JpegLayout& layout, const JpegSegments& segments)
{
    const bool grey = components == 1;
    return EncodeTestJpeg(path, width, height, components, grey ? JCS_GRAYSCALE : JCS_RGB,
                          grey ? JCS_GRAYSCALE : JCS_YCbCr, false, samples, quality, layout, segments);
}

bool WriteTestInkJpeg(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, InkStorage form)
{
    // As much black as each colour allows, the rest in cyan, magenta, yellow.
    std::vector<uint8_t> inks;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const int brightest = std::max({rgb[i], rgb[i + 1], rgb[i + 2]});
        for (int c = 0; c < 3; ++c)
            inks.push_back(static_cast<uint8_t>(brightest == 0 ? 0 : (brightest - rgb[i + c]) * 255 / brightest));
        inks.push_back(static_cast<uint8_t>(255 - brightest));
    }
    const bool adobe = form != InkStorage::PlainCmyk;
    if (adobe)
        for (uint8_t& ink : inks)
            ink = static_cast<uint8_t>(255 - ink);
    return EncodeTestJpeg(path, width, height, 4, JCS_CMYK, form == InkStorage::AdobeYcck ? JCS_YCCK : JCS_CMYK, adobe,
                          inks, 95);
}
