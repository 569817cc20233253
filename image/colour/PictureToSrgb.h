#pragma once
// Converting a decoded picture to sRGB in place, for readers that hold the
// whole picture before they convert (a PNG's rows may arrive in passes) and
// for the palette of paletted and grey pictures.

#include <cstddef>
#include <cstdint>

class CImageImpl;
class SrgbConversion;

// Converts picture (plain rows of 24 or 32 bits, or any picture with a
// palette, whose entries are converted instead of its pixels) from the ICC
// profile given. No profile, an sRGB one, or one the library refuses
// leaves it as it is.
void ConvertPictureToSrgb(CImageImpl& picture, const uint8_t* profile, size_t size);

// The palette entries of picture through conversion (GreyToRgb: from their
// grey levels; Rgb24: from their colours).
void ConvertPaletteToSrgb(CImageImpl& picture, const SrgbConversion& conversion);
