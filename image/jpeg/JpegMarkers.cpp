#include "image/jpeg/JpegMarkers.h"

#include "image/orient/ExifOrientation.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr int kProfileMarker = JPEG_APP0 + 2;
// A segment's length field counts 2 bytes, so none holds more.
constexpr unsigned int kLargestSegment = 0xFFFF;

} // namespace

void KeepMarkersWeRead(jpeg_decompress_struct& decoder)
{
    jpeg_save_markers(&decoder, kExifMarker, kLargestSegment);
    jpeg_save_markers(&decoder, kProfileMarker, kLargestSegment);
}

int JpegOrientation(const jpeg_decompress_struct& decoder)
{
    // APP1 also carries XMP; the EXIF block is the one that says so.
    for (jpeg_saved_marker_ptr marker = decoder.marker_list; marker; marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length >= 6 && std::memcmp(marker->data, "Exif\0\0", 6) == 0)
            return OrientationFromExif(marker->data, marker->data_length);
    }
    return 1;
}

void PrepareProfile(jpeg_decompress_struct& decoder, PixelLayout layout, SrgbConversion& conversion)
{
    // The library joins the chunks into one block of malloc's, which goes
    // back before any call that could leave through the recovery point.
    JOCTET* profile = nullptr;
    unsigned int size = 0;
    if (!jpeg_read_icc_profile(&decoder, &profile, &size))
        return;
    conversion.Prepare(profile, size, layout);
    std::free(profile);
}
