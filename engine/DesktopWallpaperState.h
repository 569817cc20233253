#pragma once
// What the desktop already shows, read back from its own registry values,
// so the main window starts with the style and on/off state the desktop
// really has rather than with what the program last stored.

#include <optional>
#include <string>

struct DesktopWallpaperState {
    // 1 when `Wallpaper` names a picture, 0 when it is empty; nothing when
    // the value could not be read.
    std::optional<int> ShowPic;
    // The `ShowMode` of the (`TileWallpaper`, `WallpaperStyle`) pair; nothing
    // when either is missing or the pair is not one that a style writes.
    std::optional<int> ShowMode;
};

// The style whose values are this pair: ("0","0") centre, ("1","0") tile,
// ("0","2") stretch, ("0","6") fit, ("0","10") fill, ("0","22") span.
std::optional<int> ShowModeFromDesktopValues(const std::string& tileWallpaper, const std::string& wallpaperStyle);

// Reads the current user's desktop key.
DesktopWallpaperState ReadDesktopWallpaperState();
