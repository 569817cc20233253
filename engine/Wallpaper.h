#pragma once
// Turning a picture file into the desktop wallpaper. The desktop's own
// registry values are written first (style, then path), then the system is
// told to reload; non-BMP pictures are converted into one bitmap file
// (engine/WallpaperBitmap.h), which each conversion replaces. The desktop
// is only ever pointed at a picture that can be read and a file that was
// really written.

#include "engine/WallpaperBitmap.h"

#include <optional>
#include <string>

// The registry keys that hold the desktop's wallpaper values.
constexpr char kUserDesktopKeyPath[] = "Control Panel\\Desktop";
constexpr char kShellDesktopKeyPath[] = "Software\\Microsoft\\Internet Explorer\\Desktop\\General";
constexpr char kDefaultUserDesktopKeyPath[] = ".DEFAULT\\Control Panel\\Desktop"; // under HKEY_USERS

// The `WallpaperStyle` and `TileWallpaper` strings of a display style
// (`ShowMode` 0 centre, 1 tile, 2 stretch, 3 fit, 4 fill, 5 span).
struct WallpaperStyleValues {
    const char* WallpaperStyle;
    const char* TileWallpaper;
};
// Null for a style outside 0..5: such a style writes no style value.
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

// The file the desktop is to show for a picture. A BMP picture is used in
// place by its absolute path (only its headers are read); any other picture
// is converted into the wallpaper bitmap file, a JPEG in full colour when
// asked, and the location really written is the wallpaper path. The slow
// part of a change: it touches no desktop value, so it may run on a worker.
struct PreparedWallpaper {
    WallpaperChange change = WallpaperChange::PictureUnreadable;
    std::string wallpaperPath; // set when `change` is Shown
};
PreparedWallpaper PrepareWallpaper(std::string picturePath, bool fullColour);

// Writes the desktop's values for `wallpaperPath` in `style` (for the default
// user too when `alsoDefaultUser` is non-zero) and tells the system.
void ShowWallpaperFile(const std::string& wallpaperPath, int alsoDefaultUser, int style);

// Writes only the style values of `style`, in the keys and order of a whole
// change: when no picture can be shown the choice is kept all the same, for
// the next start takes the style from these values.
void KeepWallpaperStyle(int alsoDefaultUser, int style);

// Makes `picturePath` the wallpaper in `style`: both steps above at once.
// When it cannot be shown, the style is kept as above.
WallpaperChange ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style, bool fullColour = false);

// Empties the wallpaper path values and tells the system; the style values
// stay as they are.
void RemoveWallpaper(int alsoDefaultUser);

// Whether this user may write the default user's desktop values: an
// administrator may, a standard user may not (they belong to the system's
// own profile).
bool CanSetDefaultUserWallpaper();
// Tests answer for the system (std::nullopt gives the system's answer back).
void SetDefaultUserWritableForTesting(std::optional<bool> writable);
