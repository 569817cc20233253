// Decoding and encoding errors longjmp back to TranscodeInkToRgb, so the
// functions in between keep only locals without destructors.
#include "image/jpeg/InkJpeg.h"

#include "image/DibSize.h"
#include "image/jpeg/JpegErrorManager.h"

namespace {

uint8_t Blend(int paper, int black)
{
    return static_cast<uint8_t>((paper * black + 127) / 255);
}

bool Transcode(jpeg_decompress_struct& ink, jpeg_compress_struct& encoder, FILE* file, JpegMemory& rgb)
{
    jpeg_create_decompress(&ink);
    jpeg_stdio_src(&ink, file);
    jpeg_read_header(&ink, TRUE);
    if (!IsInkColorSpace(ink.jpeg_color_space))
        return false;
    uint32_t imageBytes = 0;
    if (!DibImageBytes(8, static_cast<int>(ink.image_width), static_cast<int>(ink.image_height), imageBytes))
        return false;
    ink.out_color_space = JCS_CMYK;
    jpeg_start_decompress(&ink);

    jpeg_create_compress(&encoder);
    rgb.AttachTo(encoder);
    encoder.image_width = ink.output_width;
    encoder.image_height = ink.output_height;
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_colorspace(&encoder, JCS_RGB); // no YCbCr rounding, no subsampling
    jpeg_set_quality(&encoder, 100, TRUE);
    jpeg_start_compress(&encoder, TRUE);

    const JDIMENSION width = ink.output_width;
    JSAMPARRAY inkRow = ink.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&ink), JPOOL_IMAGE, width * 4, 1);
    JSAMPARRAY rgbRow = encoder.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&encoder), JPOOL_IMAGE, width * 3, 1);
    const bool inverted = ink.saw_Adobe_marker;
    while (ink.output_scanline < ink.output_height) {
        jpeg_read_scanlines(&ink, inkRow, 1);
        InkRowToRgb(inkRow[0], rgbRow[0], width, inverted);
        jpeg_write_scanlines(&encoder, rgbRow, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_finish_decompress(&ink);
    return true;
}

} // namespace

bool IsInkColorSpace(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

bool TranscodeInkToRgb(FILE* file, JpegMemory& rgb)
{
    // Zeroed, so destroying one that was never created does nothing.
    jpeg_decompress_struct ink = {};
    jpeg_compress_struct encoder = {};
    JpegErrorManager errors;
    ink.err = InstallJpegErrorManager(errors);
    encoder.err = ink.err; // one recovery point for both
    bool done = false;
    if (setjmp(errors.recovery) == 0)
        done = Transcode(ink, encoder, file, rgb);
    jpeg_destroy_compress(&encoder);
    jpeg_destroy_decompress(&ink);
    return done;
}

void InkRowToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t width, bool inverted)
{
    // Paper left uncovered by an ink: 255 where there is none.
    auto paper = [inverted](uint8_t value) { return inverted ? value : 255 - value; };
    for (size_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int black = paper(cmyk[3]);
        rgb[0] = Blend(paper(cmyk[0]), black);
        rgb[1] = Blend(paper(cmyk[1]), black);
        rgb[2] = Blend(paper(cmyk[2]), black);
    }
}
