// Reading of JPEG files. Errors longjmp back to DecodeJpeg, so the functions
// in between keep only locals without destructors. Colour files are decoded
// to RGB rows first and quantised once the library is done with them, so a
// file the library gives up on leaves no picture at all.
#include "image/jpeg/JpegImage.h"

#include "image/DibSize.h"
#include "image/colour/PictureToSrgb.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/jpeg/JpegLines.h"
#include "image/jpeg/JpegMarkers.h"
#include "image/orient/Orientation.h"

namespace {

int ReadJpeg(jpeg_decompress_struct& decoder, const SharedReadFile& file, CImageImpl& picture, JpegColorRows& colorRows,
             SrgbConversion& conversion)
{
    jpeg_create_decompress(&decoder);
    WatchForStop(decoder);
    UseSharedFileSource(decoder, file);
    KeepMarkersWeRead(decoder);
    jpeg_read_header(&decoder, TRUE);
    const int orientation = JpegOrientation(decoder);
    PrepareProfile(decoder, IsGreyJpeg(decoder) ? PixelLayout::GreyToRgb : PixelLayout::Rgb24, conversion);
    RequestOutput(decoder);
    // Refuse absurd sizes before the library or we allocate whole-picture
    // buffers.
    uint32_t imageBytes = 0;
    if (!DibImageBytes(8, static_cast<int>(decoder.image_width), static_cast<int>(decoder.image_height), imageBytes)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    jpeg_start_decompress(&decoder);

    if (!IsGreyJpeg(decoder)) {
        colorRows.SetOrientation(orientation);
        colorRows.SetConversion(&conversion);
        const bool decoded = colorRows.Decode(decoder, file);
        jpeg_destroy_decompress(&decoder);
        return decoded ? 1 : 0;
    }
    const int width = static_cast<int>(decoder.output_width);
    const int height = static_cast<int>(decoder.output_height);
    if (!picture.Create(UprightWidth(orientation, width, height), UprightHeight(orientation, width, height), 8, -1) ||
        !picture.GetBits()) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    ReadGreyLines(decoder, picture, orientation);
    jpeg_destroy_decompress(&decoder);
    return 1;
}

int DecodeJpeg(const SharedReadFile& file, CImageImpl& picture, JpegColorRows& colorRows, SrgbConversion& conversion)
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return 0;
    }
    const int result = ReadJpeg(decoder, file, picture, colorRows, conversion);
    return errors.endedEarly ? 0 : result;
}

} // namespace

int CJpegImage::Load(const std::string& name)
{
    const SharedReadFile file(AdoptFileName(name));
    if (!file.IsOpen())
        return 0;
    SrgbConversion conversion;
    JpegColorRows colorRows;
    if (DecodeJpeg(file, *this, colorRows, conversion) != 1)
        return 0;
    if (colorRows.Height() == 0) {
        // A grey file, read straight into the picture: its profile acts on the grey levels.
        ConvertPaletteToSrgb(*this, conversion);
        return 1;
    }
    if (!Create(colorRows.Width(), colorRows.Height(), 8, -1))
        return 0;
    return QuantizeInto(colorRows, *this) ? 1 : 0;
}
