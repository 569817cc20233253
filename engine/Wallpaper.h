#pragma once
// Turning a picture file into the desktop wallpaper. The desktop's own
// registry values are written first (style, then path), then the system is
// told to reload; non-BMP pictures are converted into one bitmap file in
// the system directory, which each conversion overwrites.

#include <string>

// The registry keys that hold the desktop's wallpaper values.
constexpr char kUserDesktopKeyPath[] = "Control Panel\\Desktop";
constexpr char kShellDesktopKeyPath[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr char kDefaultUserDesktopKeyPath[] = ".DEFAULT\\Control Panel\\Desktop"; // under HKEY_USERS

// The `WallpaperStyle` and `TileWallpaper` strings of a display style
// (`ShowMode` 0 centre, 1 tile, 2 stretch).
struct WallpaperStyleValues {
    const char* WallpaperStyle;
    const char* TileWallpaper;
};
// Null for a style outside 0..2: such a style writes no style value.
const WallpaperStyleValues* StyleValuesFor(int style);

// The system directory followed by "\Quorwall.bmp".
std::string WallpaperBitmapPath();

// Makes `picturePath` the wallpaper in `style`, for the default user too
// when `alsoDefaultUser` is non-zero. A BMP picture is used in place; any
// other picture (or the empty path) goes through the wallpaper bitmap file.
void ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style);

// Empties the wallpaper path values and tells the system; the style values
// stay as they are.
void RemoveWallpaper(int alsoDefaultUser);

// Loads a BMP, JPG/JPEG, PNG or GIF picture and saves it as `bitmapPath`
// (its extension picks the format). True when the picture loaded and the
// save was attempted.
bool ConvertPictureToBitmap(const std::string& sourcePath, const std::string& bitmapPath);
