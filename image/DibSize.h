#pragma once

#include <cstdint>

// Size rules of a packed DIB, computed in 64 bits: our size_t is 32 bits, and
// width x height x depth taken from a hostile file easily overflows it.

// The largest pixel array the library will allocate. Anything bigger is
// refused as a failed load rather than risking an undersized block.
constexpr uint64_t kMaxDibBytes = 512ull * 1024 * 1024;

// Bytes per pixel row, padded to a multiple of 4.
uint64_t DibRowStride(int bitCount, int width);

// Pixel array bytes of a picture, or 0 with false when the dimensions are
// negative, the depth is not 1 to 32 bits, or the array would exceed
// kMaxDibBytes.
bool DibImageBytes(int bitCount, int width, int height, uint32_t& imageBytes);
