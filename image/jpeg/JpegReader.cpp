// Reading of JPEG files. Errors longjmp back to DecodeJpeg, so the functions
// in between keep only locals without destructors.
#include "image/jpeg/JpegImage.h"

#include "image/DibSize.h"
#include "image/io/StdioFile.h"
#include "image/jpeg/JpegErrorManager.h"

namespace {

int ReadJpeg(jpeg_decompress_struct& decoder, FILE* file, CImageImpl& picture)
{
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    const bool grey = decoder.jpeg_color_space == JCS_GRAYSCALE;
    if (!grey) {
        decoder.quantize_colors = TRUE;
        decoder.desired_number_of_colors = 128;
    }
    // Refuse absurd sizes before the library allocates its whole-image
    // buffers for two-pass quantisation.
    uint32_t imageBytes = 0;
    if (!DibImageBytes(8, static_cast<int>(decoder.image_width), static_cast<int>(decoder.image_height), imageBytes)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    jpeg_start_decompress(&decoder);

    const int width = static_cast<int>(decoder.output_width);
    const int height = static_cast<int>(decoder.output_height);
    if (!picture.Create(width, height, 8 * decoder.output_components, -1) || !picture.GetBits()) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    if (grey)
        picture.SetGreyPalette(256);
    else
        picture.SetPalette(decoder.actual_number_of_colors, decoder.colormap[0], decoder.colormap[1],
                           decoder.colormap[2]);

    // Lines arrive top first; the top row is the last row of the pixel
    // array. The library writes each line straight into its row.
    JSAMPROW row = picture.GetBits() + static_cast<size_t>(height - 1) * picture.GetRowStride();
    while (decoder.output_scanline < decoder.output_height) {
        jpeg_read_scanlines(&decoder, &row, 1);
        if (decoder.output_scanline < decoder.output_height)
            row -= picture.GetRowStride();
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return 1;
}

int DecodeJpeg(FILE* file, CImageImpl& picture)
{
    jpeg_decompress_struct decoder;
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    return ReadJpeg(decoder, file, picture);
}

} // namespace

int CJpegImage::Load(const std::string& name)
{
    const StdioFile file = OpenStdioFile(AdoptFileName(name), "rb");
    if (!file)
        return 0;
    return DecodeJpeg(file.get(), *this);
}
