// Writing of JPEG files. Errors longjmp back to EncodeJpeg.
#include "image/jpeg/JpegImage.h"

#include "image/io/StdioFile.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/palette/DibPalette.h"

namespace {

// Colours of a shallow picture: its palette, or the colours its table holds
// when it has none.
void ReadColors(const CImageImpl& picture, PALETTEENTRY colors[256])
{
    if (picture.GetPalette()) {
        GetPaletteEntries(picture.GetPalette()->GetHandle(), 0, 256, colors);
        return;
    }
    const BITMAPINFOHEADER* header = picture.GetDib();
    const uint8_t* table = reinterpret_cast<const uint8_t*>(header) + header->biSize;
    const int entries = ColorTableEntries(*header) < 256 ? ColorTableEntries(*header) : 256;
    for (int i = 0; i < entries; ++i) {
        colors[i].peBlue = table[i * 4];
        colors[i].peGreen = table[i * 4 + 1];
        colors[i].peRed = table[i * 4 + 2];
    }
}

void ConvertRow(const CImageImpl& picture, const uint8_t* source, const PALETTEENTRY* colors, JSAMPROW rgb)
{
    const int width = picture.GetWidth();
    const int bitCount = picture.GetBitCount();
    if (bitCount >= 24) {
        const int step = bitCount / 8;
        for (int x = 0; x < width; ++x, source += step, rgb += 3) {
            rgb[0] = source[2];
            rgb[1] = source[1];
            rgb[2] = source[0];
        }
        return;
    }
    const int perByte = 8 / bitCount;
    const int mask = (1 << bitCount) - 1;
    for (int x = 0; x < width; ++x, rgb += 3) {
        const int shift = 8 - bitCount * (x % perByte + 1);
        const PALETTEENTRY& color = colors[(source[x / perByte] >> shift) & mask];
        rgb[0] = color.peRed;
        rgb[1] = color.peGreen;
        rgb[2] = color.peBlue;
    }
}

int WriteJpeg(jpeg_compress_struct& encoder, FILE* file, const CImageImpl& picture, int quality)
{
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = static_cast<JDIMENSION>(picture.GetWidth());
    encoder.image_height = static_cast<JDIMENSION>(picture.GetHeight());
    encoder.input_components = 3;
    encoder.in_color_space = JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, quality, TRUE);
    jpeg_start_compress(&encoder, TRUE);

    PALETTEENTRY colors[256] = {};
    if (picture.GetBitCount() <= 8)
        ReadColors(picture, colors);
    JSAMPARRAY row =
        (*encoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&encoder), JPOOL_IMAGE, encoder.image_width * 3, 1);
    const uint8_t* source = picture.GetBits() + static_cast<size_t>(picture.GetHeight() - 1) * picture.GetRowStride();
    while (encoder.next_scanline < encoder.image_height) {
        ConvertRow(picture, source, colors, row[0]);
        jpeg_write_scanlines(&encoder, row, 1);
        source -= picture.GetRowStride();
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return 1;
}

int EncodeJpeg(FILE* file, const CImageImpl& picture, int quality)
{
    jpeg_compress_struct encoder;
    JpegErrorManager errors;
    encoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_compress(&encoder);
        return 0;
    }
    return WriteJpeg(encoder, file, picture, quality);
}

bool CanWrite(const CImageImpl& picture)
{
    const int bitCount = picture.GetBitCount();
    const bool depthKnown =
        bitCount == 1 || bitCount == 2 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
    return depthKnown && picture.HasPlainRows() && picture.GetDib()->biCompression == BI_RGB &&
           picture.GetWidth() > 0 && picture.GetHeight() > 0;
}

} // namespace

int CJpegImage::Save(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    if (!CanWrite(*this))
        return 0;
    const StdioFile file = OpenStdioFile(path, "wb");
    if (!file)
        return 0;
    return EncodeJpeg(file.get(), *this, quality);
}
