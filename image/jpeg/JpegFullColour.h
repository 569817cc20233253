#pragma once
// A JPEG read as it is, without the palette a normal load gives it: every
// file becomes a 24-bit picture (grey files too), four-colour files with
// their inks turned into colours row by row. For wallpapers on screens that
// show millions of colours, where 128 dithered ones only lose detail.

#include <string>

class CImageObject;

// Loads `path` into `picture` (which loses what it held) as a 24-bit BMP
// picture. False, with `picture` empty or partly filled, when the file is no
// readable JPEG or the picture is beyond the library's size bound.
bool LoadJpegFullColour(const std::string& path, CImageObject& picture);
