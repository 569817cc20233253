#pragma once

#include <string>

class PhotoPicture;

// Each writes the picture to path in one format and returns false (after
// printing why) when it could not. They stream row by row, so a 6000 × 4000
// picture never needs to be held whole.

// Baseline JPEG at quality 90 with the library's default 4:2:0 subsampling,
// as a camera or photo site would give it; with inks, the same picture as a
// print shop's file: YCCK with an Adobe marker, inverted inks, the library's
// default sampling for it (black and luma full, the colours halved).
bool WriteJpegInput(const PhotoPicture& picture, const std::string& path, bool inks = false);
// 8-bit RGB, or RGBA with withAlpha; libpng's default filtering and compression.
bool WritePngInput(const PhotoPicture& picture, const std::string& path, bool withAlpha);
// 256 colours (8 red × 8 green × 4 blue levels), Floyd–Steinberg dithered,
// not interlaced, encoded by giflib.
bool WriteGifInput(const PhotoPicture& picture, const std::string& path);
// 24 bits, bottom-up, a 40-byte info header and biSizeImage filled in.
bool WriteBmpInput(const PhotoPicture& picture, const std::string& path);
