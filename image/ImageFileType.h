#pragma once

#include "framework/Path.h"

#include <string>

// The picture file formats the library knows; XPM has a number but no codec.
enum ImageFileType { BMP = 0, JPG = 1, GIF = 2, XPM = 3, PNG = 4 };

// Type of a (case-insensitive) extension from the table BMP, GIF, JPG, PNG,
// XPM; -1 for anything else. "jpeg" is deliberately not in this table.
int ImageTypeFromExtension(const std::string& extension);

// Overload for the result of FindExtension applied to fileName.
int ImageTypeFromFileName(const std::string& fileName);

// The rule every caller outside the library uses to decide whether a file is
// a picture: the lowercased extension "jpg", "jpeg", "jpe" or "jfif" gives JPG, "gif" GIF,
// "png" PNG, "bmp" BMP; anything else (the empty extension included) -1.
int ImageTypeForPictureFile(const std::string& path);
