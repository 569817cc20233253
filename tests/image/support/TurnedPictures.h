#pragma once

// Pictures stored turned as a camera stores them, with the EXIF block that
// says how. Upright, each is 64 x 32 pixels in four quadrants of their own
// colours, so that every one of the eight orientations looks different.

#include <cstdint>
#include <string>
#include <vector>

class CImageObject;

enum class TurnedKind { JpegColour, JpegGrey, PngColour, PngFourBit };

// A TIFF block whose first directory holds the orientation tag.
std::vector<uint8_t> ExifBlock(int orientation, bool bigEndian = true);

// The upright picture stored for `orientation`, carrying `block` (an APP1
// EXIF segment or an eXIf chunk).
bool WriteTurnedPicture(const std::string& path, TurnedKind kind, int orientation, const std::vector<uint8_t>& block);

// Empty when picture is the upright picture at `width` (half as high),
// else what it shows instead.
std::string UprightMismatch(const CImageObject& picture, TurnedKind kind, int width = 64);
