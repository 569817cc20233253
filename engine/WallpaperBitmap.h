#pragma once
// The one bitmap file into which every picture other than a BMP is
// converted for the desktop. It goes to the system directory where that
// can be written; a standard user cannot write there, so the user's own
// local application-data folder takes it instead.

#include <string>
#include <vector>

// The system directory followed by "\Quorwall.bmp"; under WOW64 that
// directory is named as 64-bit programs see it, SysWOW64.
std::string WallpaperBitmapPath();

// "Orvane Tessaly\Quorwall.bmp" below the user's local application-data
// folder; empty when the system names no such folder.
std::string LocalWallpaperBitmapPath();

// Where the bitmap may go, the first choice first: the system directory,
// then the local application-data folder.
std::vector<std::string> WallpaperBitmapLocations();

// Loads a BMP, JPG/JPEG, PNG or GIF picture and saves it as `bitmapPath`
// (its extension picks the format); with `fullColour` a JPEG keeps its own
// colours (24 bits) instead of 128 dithered ones. True only when the picture
// loaded and the file was written whole; otherwise a file of that name stays
// as it was.
bool ConvertPictureToBitmap(const std::string& sourcePath, const std::string& bitmapPath, bool fullColour = false);

struct ConvertedWallpaper {
    // False when no picture could be read from the source file.
    bool pictureRead = false;
    // The file really written; empty when no location could be written.
    std::string bitmapPath;
};

// Converts `sourcePath` into the first of `locations` that can be written,
// creating its folder when missing. The picture is read only once.
ConvertedWallpaper ConvertToWallpaperBitmap(const std::string& sourcePath, bool fullColour = false,
                                            const std::vector<std::string>& locations = WallpaperBitmapLocations());

// Deletes the local application-data copy once `shownPath`, the file the
// desktop has just been pointed at, is the system directory's bitmap
// again: nothing shows the copy any more, and it would stay behind.
void RemoveFallbackBitmapOnceBack(const std::string& shownPath);

// Removes the temporary files a write of the wallpaper bitmap leaves when it
// never finishes (a crash, a conversion left behind at exit): "~tq*.tmp"
// beside each location.
void RemoveAbandonedBitmapFiles(const std::vector<std::string>& locations = WallpaperBitmapLocations());
