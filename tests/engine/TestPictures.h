#pragma once
// Picture files for the engine tests, written through the same encoders
// the image tests use, each of a size that tells it apart.

#include <optional>
#include <string>
#include <utility>

// Writes a picture whose format follows the extension of `path` (bmp, jpg,
// png or gif, in any letter case). Returns false for another extension.
// With keptPercent the file keeps only that share of its bytes, as an
// interrupted copy leaves it.
bool WritePicture(const std::string& path, int width, int height, int keptPercent = 100);

// Width and height of a BMP file, read from its header; nothing when the
// file is missing or is not a BMP.
std::optional<std::pair<int, int>> BitmapFileSize(const std::string& path);
// Bits per pixel of a BMP file; 0 when it is missing or no BMP.
int BitmapBitCount(const std::string& path);
