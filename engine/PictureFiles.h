#pragma once
// The picture files of one folder, as the wallpaper sequence and the
// select-picture dialog both take them: the names ending in ".bmp", then
// the JPEG ones (".jpg", ".jpeg", ".jpe", ".jfif"), then ".png", ".gif",
// ".webp", the HEIF ones (".heic", ".heif", ".hif"), ".avif" and last the
// formats read through the system's decoders (".tif", ".tiff", ...; see
// ImageTypeForPictureFile), any letter case and, within one of these, in
// the order the file system reports them.

#include <windows.h>

#include <climits>
#include <string>
#include <vector>

struct PictureFileEntry {
    std::string name; // without the folder
    FILETIME lastWrite;
};

// Where a file name comes in the order above: 0 for the first type, up to
// PictureFileOrders() - 1; -1 for a name that is no picture.
int PictureFileOrder(const std::string& name);
int PictureFileOrders();

// Number of picture files in `folder`, a path that ends with a backslash.
int CountPictureFiles(const std::string& folder);

// The picture files in `folder`, at most `limit` of them (the first ones in
// the order above). Empty when the folder cannot be read.
std::vector<PictureFileEntry> ReadPictureFiles(const std::string& folder, int limit = INT_MAX);
