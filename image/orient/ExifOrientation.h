#pragma once
// The orientation a camera records in its EXIF block: how the stored rows
// must be turned or mirrored to show the picture as it was taken. Plain
// byte parsing, free of windows.h, so it is fuzzed natively.

#include <cstddef>
#include <cstdint>

// The orientation tag (274) of the first image directory of an EXIF block:
// a TIFF structure ("II*\0" or "MM\0*"), which may follow the "Exif\0\0" of
// a JPEG's APP1 segment. 1 (as stored) when the tag is absent or the block
// is damaged, cut short or holds a value outside 1 to 8. Only the first
// directory is read, so a block whose links loop costs no more than any
// other.
int OrientationFromExif(const uint8_t* data, size_t size);
