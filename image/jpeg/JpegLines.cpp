#include "image/jpeg/JpegLines.h"

#include "image/jpeg/InkJpeg.h"
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

void ReadGreyLines(jpeg_decompress_struct& decoder, CImageImpl& picture)
{
    picture.SetGreyPalette(256);
    // Lines arrive top first; the top row is the last row of the pixel
    // array. The library writes each line straight into its row.
    const int height = static_cast<int>(decoder.output_height);
    JSAMPROW row = picture.GetBits() + static_cast<size_t>(height - 1) * picture.GetRowStride();
    while (decoder.output_scanline < decoder.output_height) {
        jpeg_read_scanlines(&decoder, &row, 1);
        if (decoder.output_scanline < decoder.output_height)
            row -= picture.GetRowStride();
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
