#pragma once

#include "framework/Path.h"

#include <string>

// The picture file formats the library knows; XPM has a number but no codec.
// WIC stands for every format read through the system's Imaging Component.
enum ImageFileType { BMP = 0, JPG = 1, GIF = 2, XPM = 3, PNG = 4, WEBP = 5, HEIF = 6, AVIF = 7, WIC = 8 };

// Type of a (case-insensitive) extension from the table BMP, GIF, JPG, PNG,
// XPM; -1 for anything else. "jpeg" is deliberately not in this table.
int ImageTypeFromExtension(const std::string& extension);

// Overload for the result of FindExtension applied to fileName.
int ImageTypeFromFileName(const std::string& fileName);

// The rule every caller outside the library uses to decide whether a file is
// a picture: the lowercased extension "jpg", "jpeg", "jpe" or "jfif" gives JPG, "gif" GIF,
// "png" PNG, "bmp" BMP, "webp" WEBP, "heic", "heif" or "hif" HEIF, "avif"
// AVIF; the formats known by name in PictureFormatName, and any other
// extension a decoder of the system's Imaging Component declares (icons and
// cursors aside), give WIC; anything else (the empty extension included) -1.
int ImageTypeForPictureFile(const std::string& path);

// The name the user knows a picture's format by, for the formats that may
// lack a decoder on this system ("TIFF", "JPEG XL", "HEIC/HEIF", ...);
// empty for any other file.
std::string PictureFormatName(const std::string& path);
