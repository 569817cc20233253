// Errors longjmp back to LoadJpegFullColour's decoding step, so the
// functions in between keep only locals without destructors.
#include "image/jpeg/JpegFullColour.h"

#include "image/DibSize.h"
#include "image/ImageObject.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/jpeg/InkJpeg.h"
#include "image/jpeg/JpegErrorManager.h"

#include <cstdio>
#include <utility>

namespace {

// A DIB row holds blue, green, red.
void SwapRedAndBlue(uint8_t* row, size_t width)
{
    for (size_t x = 0; x < width; ++x, row += 3)
        std::swap(row[0], row[2]);
}

bool ReadFullColour(jpeg_decompress_struct& decoder, const SharedReadFile& file, CImageObject& picture)
{
    jpeg_create_decompress(&decoder);
    WatchForStop(decoder);
    UseSharedFileSource(decoder, file);
    jpeg_read_header(&decoder, TRUE);
    const bool ink = IsInkColorSpace(decoder.jpeg_color_space);
    // The library turns grey and YCbCr into blue-green-red itself; inks it
    // only hands over as they are stored.
    decoder.out_color_space = ink ? decoder.jpeg_color_space : JCS_EXT_BGR;
    uint32_t imageBytes = 0;
    if (!DibImageBytes(24, static_cast<int>(decoder.image_width), static_cast<int>(decoder.image_height), imageBytes))
        return false;
    jpeg_start_decompress(&decoder);
    const int width = static_cast<int>(decoder.output_width);
    const int height = static_cast<int>(decoder.output_height);
    if (!picture.Create(width, height, 24, -1) || !picture.GetBits())
        return false;

    JSAMPARRAY inkRow = nullptr;
    if (ink)
        inkRow = decoder.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                           decoder.output_width * 4, 1);
    // Lines arrive top first; the top row is the last row of the pixel array.
    JSAMPROW row = picture.GetBits() + static_cast<size_t>(height - 1) * picture.GetRowStride();
    while (decoder.output_scanline < decoder.output_height) {
        if (ink) {
            jpeg_read_scanlines(&decoder, inkRow, 1);
            InkRowToRgb(inkRow[0], row, decoder.output_width, decoder.out_color_space, decoder.saw_Adobe_marker);
            SwapRedAndBlue(row, decoder.output_width);
        } else {
            jpeg_read_scanlines(&decoder, &row, 1);
        }
        if (decoder.output_scanline < decoder.output_height)
            row -= picture.GetRowStride();
    }
    jpeg_finish_decompress(&decoder);
    return true;
}

bool DecodeFullColour(const SharedReadFile& file, CImageObject& picture)
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    const bool read = ReadFullColour(decoder, file, picture);
    jpeg_destroy_decompress(&decoder);
    return read && !errors.endedEarly;
}

} // namespace

bool LoadJpegFullColour(const std::string& path, CImageObject& picture)
{
    const SharedReadFile file(path);
    return file.IsOpen() && DecodeFullColour(file, picture);
}
