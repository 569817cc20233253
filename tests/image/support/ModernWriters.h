#pragma once

// WebP files through libwebp's own encoder and TIFF files written byte by
// byte, for the readers of the newer formats and the engine's folders.

#include <cstdint>
#include <vector>

// Appends the size lowest bytes of value, lowest first.
void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int size);

// A WebP file of blue, green, red, alpha samples; quality < 0: lossless.
std::vector<uint8_t> WebpFile(const std::vector<uint8_t>& bgra, int w, int h, int quality);

// An uncompressed little-endian TIFF of 8-bit RGB or RGBA (unassociated
// alpha) samples, one strip, with an orientation tag.
std::vector<uint8_t> TiffFile(uint32_t width, uint32_t height, uint32_t channels, uint32_t orientation,
                              const std::vector<uint8_t>& samples);
