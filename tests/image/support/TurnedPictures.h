#pragma once

// Pictures stored turned as a camera stores them, with the EXIF block that
// says how, and with a colour profile when asked. Upright, each is 64 x 32
// pixels in four quadrants of their own colours, so that every one of the
// eight orientations looks different.

#include <cstdint>
#include <string>
#include <vector>

class CImageObject;

enum class TurnedKind { JpegColour, JpegGrey, PngColour, PngFourBit };

// A TIFF block whose first directory holds the orientation tag.
std::vector<uint8_t> ExifBlock(int orientation, bool bigEndian = true);

// ICC profiles made by Little CMS: Adobe RGB (1998), Display P3, sRGB.
enum class TestProfile { AdobeRgb, DisplayP3, Srgb };
std::vector<uint8_t> MakeProfile(TestProfile profile);

// The upright picture stored for `orientation`, carrying `block` (an APP1
// EXIF segment or an eXIf chunk) and `profile` (APP2 or iCCP) unless empty.
bool WriteTurnedPicture(const std::string& path, TurnedKind kind, int orientation, const std::vector<uint8_t>& block,
                        const std::vector<uint8_t>& profile = {});

// Empty when picture is the upright picture at `width` (half as high),
// its colours within `tolerance` of the quadrants' own or, given a profile,
// of what Little CMS makes of them in sRGB; else what it shows instead.
std::string UprightMismatch(const CImageObject& picture, TurnedKind kind, int width = 64,
                            const std::vector<uint8_t>& profile = {}, int tolerance = 24);

// Whether two pictures show the same colours at every pixel.
bool SameColours(const CImageObject& a, const CImageObject& b);

// Profiles that must leave a picture as it is: sRGB, and two that Little
// CMS refuses (cut short, and no profile at all).
std::vector<std::vector<uint8_t>> ProfilesThatChangeNothing();
