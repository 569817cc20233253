#pragma once

#include <string>

// A bare libjpeg-turbo loop doing what a wallpaper conversion does: a
// 128-colour two-pass Floyd–Steinberg decode into an 8-bit bottom-up DIB,
// then that DIB written as a BMP file with a 256-entry colour table, the
// same bytes our BMP writer puts out. False on any error.
bool ConvertJpegToBmp(const std::string& jpegPath, const std::string& bmpPath);
