#include "image/colour/PictureToSrgb.h"

#include "image/ImageImpl.h"
#include "image/colour/SrgbConversion.h"
#include "image/palette/DibPalette.h"

void ConvertPaletteToSrgb(CImageImpl& picture, const SrgbConversion& conversion)
{
    const CDibPalette* palette = picture.GetPalette();
    if (!conversion.Converts() || !palette)
        return;
    const int count = palette->GetEntryCount() < 256 ? palette->GetEntryCount() : 256;
    uint8_t in[256 * 3] = {};
    uint8_t out[256 * 3] = {};
    const bool grey = conversion.Layout() == PixelLayout::GreyToRgb;
    for (int i = 0; i < count; ++i) {
        uint8_t* entry = grey ? in + i : in + i * 3;
        uint8_t g = 0, b = 0;
        palette->GetEntry(i, entry[0], g, b);
        if (!grey) {
            entry[1] = g;
            entry[2] = b;
        }
    }
    conversion.Convert(in, out, static_cast<size_t>(count));
    uint8_t reds[256], greens[256], blues[256];
    for (int i = 0; i < count; ++i) {
        reds[i] = out[i * 3];
        greens[i] = out[i * 3 + 1];
        blues[i] = out[i * 3 + 2];
    }
    picture.SetPalette(count, reds, greens, blues);
}

void ConvertPictureToSrgb(CImageImpl& picture, const uint8_t* profile, size_t size)
{
    if (!profile || size == 0 || !picture.HasPlainRows())
        return;
    SrgbConversion conversion;
    const int bitCount = picture.GetBitCount();
    if (bitCount <= 8) {
        // Grey pictures carry grey profiles; colour ones colour profiles.
        if (conversion.Prepare(profile, size, PixelLayout::Rgb24) ||
            conversion.Prepare(profile, size, PixelLayout::GreyToRgb))
            ConvertPaletteToSrgb(picture, conversion);
        return;
    }
    if ((bitCount != 24 && bitCount != 32) ||
        !conversion.Prepare(profile, size, bitCount == 24 ? PixelLayout::Bgr24 : PixelLayout::Bgra32))
        return;
    uint8_t* row = picture.GetBits();
    for (int y = 0; y < picture.GetHeight(); ++y, row += picture.GetRowStride())
        conversion.Convert(row, row, static_cast<size_t>(picture.GetWidth()));
}
