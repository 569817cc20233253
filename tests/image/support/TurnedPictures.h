#pragma once

// Pictures stored turned as a camera stores them, with the EXIF block that
// says how and a colour profile when asked. Upright: 64 x 32 pixels, four
// quadrants of their own colours, so every orientation looks different.

#include <cstdint>
#include <string>
#include <vector>

class CImageObject;

enum class TurnedKind { JpegColour, JpegGrey, PngColour, PngFourBit };

// A TIFF block whose first directory holds the orientation tag.
std::vector<uint8_t> ExifBlock(int orientation, bool bigEndian = true);

// ICC profiles made by Little CMS.
enum class TestProfile { AdobeRgb, DisplayP3, Srgb };
std::vector<uint8_t> MakeProfile(TestProfile profile);

// The upright picture stored for `orientation`, with `block` as its EXIF
// and `profile` (unless empty) as its colour profile.
bool WriteTurnedPicture(const std::string& path, TurnedKind kind, int orientation, const std::vector<uint8_t>& block,
                        const std::vector<uint8_t>& profile = {});

// Whether picture is upright at `width` (half as high), its colours within
// `tolerance` of the quadrants' own, or of what Little CMS makes of them in
// sRGB given a profile.
bool IsUpright(const CImageObject& picture, TurnedKind kind, int width = 64, const std::vector<uint8_t>& profile = {},
               int tolerance = 24);

// Whether two pictures show the same colours at every pixel.
bool SameColours(const CImageObject& a, const CImageObject& b);
