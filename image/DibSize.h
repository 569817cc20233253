#pragma once

#include <cstdint>

// Size rules of a packed DIB, computed in 64 bits: our size_t is 32 bits, and
// width x height x depth taken from a hostile file easily overflows it.

// The largest picture the library takes, in any format and for the preview
// alike: no side over 32,768 pixels and no more than 256 megapixels. A
// 200-megapixel phone photograph (16,320 x 12,240) fits; a header asking
// for more is taken for a damaged file, since a few bytes can declare any
// size (a 35-byte GIF can claim 22,000 x 22,000 pixels).
constexpr int64_t kMaxPictureSide = 32768;
constexpr uint64_t kMaxPicturePixels = 256ull * 1000 * 1000;

// The largest pixel array the library will allocate. Anything bigger is
// refused as a failed load rather than risking an undersized block.
constexpr uint64_t kMaxDibBytes = 512ull * 1024 * 1024;

// Whether a picture of width x height is within the bounds above; false for
// sizes of 0 or less too.
bool PictureSizeAllowed(int64_t width, int64_t height);

// Bytes per pixel row, padded to a multiple of 4.
uint64_t DibRowStride(int bitCount, int width);

// Pixel array bytes of a picture, or 0 with false when the depth is not 1 to
// 32 bits, the size is beyond PictureSizeAllowed, or the array would exceed
// kMaxDibBytes. Every reader passes this before it allocates pixels, so it
// is the one place where a picture is refused for its size. A size of 0
// gives 0 bytes.
bool DibImageBytes(int bitCount, int width, int height, uint32_t& imageBytes);
