#include "image/jpeg/JpegLines.h"

namespace {

bool IsGrey(const jpeg_decompress_struct& decoder)
{
    return decoder.jpeg_color_space == JCS_GRAYSCALE;
}

} // namespace

void RequestPalettedOutput(jpeg_decompress_struct& decoder)
{
    if (IsGrey(decoder))
        return;
    decoder.quantize_colors = TRUE;
    decoder.desired_number_of_colors = 128;
}

void ReadOutputLines(jpeg_decompress_struct& decoder, CImageImpl& picture)
{
    if (IsGrey(decoder))
        picture.SetGreyPalette(256);
    else
        picture.SetPalette(decoder.actual_number_of_colors, decoder.colormap[0], decoder.colormap[1],
                           decoder.colormap[2]);

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
