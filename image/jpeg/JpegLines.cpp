#include "image/jpeg/JpegLines.h"

#include "image/jpeg/InkJpeg.h"
#include "image/orient/Orientation.h"
#include "image/quantize/DitherPicture.h"
#include "image/quantize/MedianCut.h"

namespace {

constexpr int kPaletteColors = 128;

} // namespace

bool IsGreyJpeg(const jpeg_decompress_struct& decoder)
{
    return decoder.jpeg_color_space == JCS_GRAYSCALE;
}

void RequestOutput(jpeg_decompress_struct& decoder)
{
    if (IsGreyJpeg(decoder))
        return;
    // Inks as the file stores them: we turn them into colours ourselves.
    decoder.out_color_space = IsInkColorSpace(decoder.jpeg_color_space) ? decoder.jpeg_color_space : JCS_RGB;
}

void ReadGreyLines(jpeg_decompress_struct& decoder, CImageImpl& picture, int orientation)
{
    picture.SetGreyPalette(256);
    // Lines arrive top first; the top row is the last row of the pixel
    // array. The library writes each line of an upright file straight into
    // its row; a turned file's lines pass through one line of its own.
    const ptrdiff_t stride = picture.GetRowStride();
    JSAMPROW top = picture.GetBits() + static_cast<size_t>(picture.GetHeight() - 1) * stride;
    const OrientedRows place(orientation, static_cast<int>(decoder.output_width),
                             static_cast<int>(decoder.output_height), top, -stride, 1);
    const bool upright = ValidOrientation(orientation) == 1;
    JSAMPARRAY turned = nullptr;
    if (!upright)
        turned =
            decoder.mem->alloc_sarray(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE, decoder.output_width, 1);
    while (decoder.output_scanline < decoder.output_height) {
        const int y = static_cast<int>(decoder.output_scanline);
        JSAMPROW line = upright ? top - y * stride : turned[0];
        jpeg_read_scanlines(&decoder, &line, 1);
        if (!upright)
            place.Place(y, line);
    }
    jpeg_finish_decompress(&decoder);
}

bool QuantizeInto(const JpegColorRows& rows, CImageImpl& picture)
{
    const int width = rows.Width();
    const int height = rows.Height();
    if (picture.GetWidth() != width || picture.GetHeight() != height || picture.GetBitCount() != 8 ||
        !picture.GetBits())
        return false;
    const QuantizedPalette palette = MedianCut(rows.Histogram(), kPaletteColors);
    picture.SetPalette(palette.count, palette.red.data(), palette.green.data(), palette.blue.data());
    const int stride = picture.GetRowStride();
    return DitherPicture(palette, rows.Row(0), width, height,
                         picture.GetBits() + static_cast<size_t>(height - 1) * stride, -static_cast<ptrdiff_t>(stride));
}
