// Reduced-scale reading of JPEG files for previews. As in the full reader,
// errors longjmp back to DecodePreview, so the functions in between keep only
// locals without destructors.
#include "image/jpeg/JpegPreview.h"

#include "image/DibSize.h"
#include "image/colour/PictureToSrgb.h"
#include "image/ImageObject.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/jpeg/JpegLines.h"
#include "image/jpeg/JpegMarkers.h"
#include "image/orient/Orientation.h"

namespace {

// The library scales by n/8. The smallest n whose output covers the frame
// leaves the least to decode without enlarging the picture when it is drawn.
void ChooseCoveringScale(jpeg_decompress_struct& decoder, int coverWidth, int coverHeight)
{
    decoder.scale_denom = 8;
    for (unsigned int n = 1; n <= 8; ++n) {
        decoder.scale_num = n;
        jpeg_calc_output_dimensions(&decoder);
        if (static_cast<int>(decoder.output_width) >= coverWidth &&
            static_cast<int>(decoder.output_height) >= coverHeight)
            return;
    }
}

void ReadPreview(jpeg_decompress_struct& decoder, const SharedReadFile& file, int coverWidth, int coverHeight,
                 CImageObject& picture, JpegColorRows& colorRows, SrgbConversion& conversion, JpegPreview& preview)
{
    jpeg_create_decompress(&decoder);
    WatchForStop(decoder);
    UseSharedFileSource(decoder, file);
    KeepMarkersWeRead(decoder);
    jpeg_read_header(&decoder, TRUE);
    // Sizes are those of the picture as it is shown, turned upright.
    const int orientation = JpegOrientation(decoder);
    PrepareProfile(decoder, IsGreyJpeg(decoder) ? PixelLayout::GreyToRgb : PixelLayout::Rgb24, conversion);
    const int storedWidth = static_cast<int>(decoder.image_width);
    const int storedHeight = static_cast<int>(decoder.image_height);
    preview.fileWidth = UprightWidth(orientation, storedWidth, storedHeight);
    preview.fileHeight = UprightHeight(orientation, storedWidth, storedHeight);
    // A file the full reader refuses for its size gets no preview either:
    // the preview shows what the wallpaper would be.
    uint32_t imageBytes = 0;
    if (!DibImageBytes(8, preview.fileWidth, preview.fileHeight, imageBytes))
        return;
    RequestOutput(decoder);
    // The stored picture covers the frame turned the way the picture turns.
    ChooseCoveringScale(decoder, UprightWidth(orientation, coverWidth, coverHeight),
                        UprightHeight(orientation, coverWidth, coverHeight));
    jpeg_start_decompress(&decoder);
    if (!IsGreyJpeg(decoder)) {
        colorRows.SetOrientation(orientation);
        colorRows.SetConversion(&conversion);
        if (colorRows.Decode(decoder, file))
            preview.result = JpegPreviewResult::Decoded;
        return;
    }
    const int width = static_cast<int>(decoder.output_width);
    const int height = static_cast<int>(decoder.output_height);
    if (!picture.Create(UprightWidth(orientation, width, height), UprightHeight(orientation, width, height), 8, -1) ||
        !picture.GetBits())
        return;
    ReadGreyLines(decoder, *picture.GetImpl(), orientation);
    preview.result = JpegPreviewResult::Decoded;
}

void DecodePreview(const SharedReadFile& file, int coverWidth, int coverHeight, CImageObject& picture,
                   JpegColorRows& colorRows, SrgbConversion& conversion, JpegPreview& preview)
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        preview.result = JpegPreviewResult::Failed;
        return;
    }
    ReadPreview(decoder, file, coverWidth, coverHeight, picture, colorRows, conversion, preview);
    jpeg_destroy_decompress(&decoder);
    if (errors.endedEarly)
        preview.result = JpegPreviewResult::Failed;
}

} // namespace

JpegPreview LoadJpegPreview(const std::string& fileName, int coverWidth, int coverHeight, CImageObject& picture)
{
    JpegPreview preview;
    const SharedReadFile file(fileName);
    if (!file.IsOpen())
        return preview;
    SrgbConversion conversion;
    JpegColorRows colorRows;
    DecodePreview(file, coverWidth, coverHeight, picture, colorRows, conversion, preview);
    if (preview.result == JpegPreviewResult::Decoded && colorRows.Height() == 0 && picture.GetImpl())
        ConvertPaletteToSrgb(*picture.GetImpl(), conversion);
    if (preview.result == JpegPreviewResult::Decoded && colorRows.Height() > 0 &&
        !(picture.Create(colorRows.Width(), colorRows.Height(), 8, -1) && QuantizeInto(colorRows, *picture.GetImpl())))
        preview.result = JpegPreviewResult::Failed;
    return preview;
}
