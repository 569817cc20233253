// Errors longjmp back to LoadJpegFullColour's decoding step, so the
// functions in between keep only locals without destructors.
#include "image/jpeg/JpegFullColour.h"

#include "image/DibSize.h"
#include "image/ImageObject.h"
#include "image/jpeg/JpegFileSource.h"
#include "image/jpeg/InkJpeg.h"
#include "image/jpeg/JpegErrorManager.h"
#include "image/jpeg/JpegMarkers.h"
#include "image/orient/Orientation.h"

#include <cstdio>
#include <utility>

namespace {

// Rows of a turned file placed at once: enough that each upright row is
// written in runs of several cache lines.
constexpr int kStripRows = 128;

// A DIB row holds blue, green, red.
void SwapRedAndBlue(uint8_t* row, size_t width)
{
    for (size_t x = 0; x < width; ++x, row += 3)
        std::swap(row[0], row[2]);
}

bool ReadFullColour(jpeg_decompress_struct& decoder, const SharedReadFile& file, CImageObject& picture,
                    SrgbConversion& conversion)
{
    jpeg_create_decompress(&decoder);
    WatchForStop(decoder);
    UseSharedFileSource(decoder, file);
    KeepMarkersWeRead(decoder);
    jpeg_read_header(&decoder, TRUE);
    const int orientation = JpegOrientation(decoder);
    // Grey and ink files carry profiles of their own kind, which leave
    // these rows as they are.
    PrepareProfile(decoder, PixelLayout::Bgr24, conversion);
    const bool upright = ValidOrientation(orientation) == 1;
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
    if (!picture.Create(UprightWidth(orientation, width, height), UprightHeight(orientation, width, height), 24, -1) ||
        !picture.GetBits())
        return false;

    const j_common_ptr common = reinterpret_cast<j_common_ptr>(&decoder);
    JSAMPARRAY inkRow = nullptr;
    if (ink)
        inkRow = decoder.mem->alloc_sarray(common, JPOOL_IMAGE, decoder.output_width * 4, 1);
    // A turned file's lines pass through a strip of their own on the way
    // to their upright places.
    JSAMPARRAY turned = nullptr;
    if (!upright)
        turned = decoder.mem->alloc_sarray(common, JPOOL_IMAGE, decoder.output_width * 3, kStripRows);
    // Lines arrive top first; the top row is the last row of the pixel array.
    const ptrdiff_t stride = picture.GetRowStride();
    JSAMPROW top = picture.GetBits() + static_cast<size_t>(picture.GetHeight() - 1) * stride;
    const OrientedRows place(orientation, width, height, top, -stride, 3);
    int filled = 0;
    while (decoder.output_scanline < decoder.output_height) {
        const int y = static_cast<int>(decoder.output_scanline);
        JSAMPROW row = upright ? top - y * stride : turned[filled];
        int read = 1;
        if (ink) {
            jpeg_read_scanlines(&decoder, inkRow, 1);
            InkRowToRgb(inkRow[0], row, decoder.output_width, decoder.out_color_space, decoder.saw_Adobe_marker);
            SwapRedAndBlue(row, decoder.output_width);
        } else if (upright) {
            jpeg_read_scanlines(&decoder, &row, 1);
        } else {
            read = static_cast<int>(jpeg_read_scanlines(&decoder, turned + filled, kStripRows - filled));
        }
        for (int i = 0; i < read; ++i)
            conversion.Convert(upright ? row : turned[filled + i], upright ? row : turned[filled + i],
                               decoder.output_width);
        if (upright)
            continue;
        filled += read;
        if (filled == kStripRows || decoder.output_scanline == decoder.output_height) {
            place.PlaceRows(static_cast<int>(decoder.output_scanline) - filled, filled, turned);
            filled = 0;
        }
    }
    jpeg_finish_decompress(&decoder);
    return true;
}

bool DecodeFullColour(const SharedReadFile& file, CImageObject& picture, SrgbConversion& conversion)
{
    jpeg_decompress_struct decoder = {};
    JpegErrorManager errors;
    decoder.err = InstallJpegErrorManager(errors);
    if (setjmp(errors.recovery)) {
        jpeg_destroy_decompress(&decoder);
        return false;
    }
    const bool read = ReadFullColour(decoder, file, picture, conversion);
    jpeg_destroy_decompress(&decoder);
    return read && !errors.endedEarly;
}

} // namespace

bool LoadJpegFullColour(const std::string& path, CImageObject& picture)
{
    const SharedReadFile file(path);
    SrgbConversion conversion;
    return file.IsOpen() && DecodeFullColour(file, picture, conversion);
}
