#pragma once
// Turning a picture file into the desktop wallpaper. The desktop's own
// registry values are written first (style, then path), then the system is
// told to reload; non-BMP pictures are converted into one bitmap file
// (engine/WallpaperBitmap.h), which each conversion replaces. The desktop
// is only ever pointed at a picture that can be read and a file that was
// really written.

#include "engine/WallpaperBitmap.h"

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

enum class WallpaperChange {
    Shown,
    // No picture can be read from the file (a BMP whose headers the library
    // refuses, another picture that does not decode at all, a file of no
    // picture type, the empty path): the desktop keeps its picture, and
    // only the style values are written.
    PictureUnreadable,
    // The picture was read but no bitmap file could be written: as above.
    BitmapNotWritten,
};

// Makes `picturePath` the wallpaper in `style`, for the default user too
// when `alsoDefaultUser` is non-zero. A BMP picture is used in place by its
// absolute path; any other picture goes through the wallpaper bitmap file,
// whose path (the location really written) is then the wallpaper path.
WallpaperChange ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style);

// Empties the wallpaper path values and tells the system; the style values
// stay as they are.
void RemoveWallpaper(int alsoDefaultUser);
