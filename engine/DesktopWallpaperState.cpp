#include "engine/DesktopWallpaperState.h"

#include "engine/Wallpaper.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <windows.h>

std::optional<int> ShowModeFromDesktopValues(const std::string& tileWallpaper, const std::string& wallpaperStyle)
{
    for (int style = ShowCentre; style <= ShowSpan; ++style) {
        const WallpaperStyleValues* values = StyleValuesFor(style);
        if (tileWallpaper == values->TileWallpaper && wallpaperStyle == values->WallpaperStyle)
            return style;
    }
    return std::nullopt;
}

DesktopWallpaperState ReadDesktopWallpaperState()
{
    DesktopWallpaperState state;
    CRegistryKey userDesktop;
    if (userDesktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath) != ERROR_SUCCESS)
        return state;

    std::string wallpaper;
    if (userDesktop.ReadString("Wallpaper", wallpaper) == ERROR_SUCCESS)
        state.ShowPic = wallpaper.empty() ? 0 : 1;

    std::string tileWallpaper;
    std::string wallpaperStyle;
    const bool tileRead = userDesktop.ReadString("TileWallpaper", tileWallpaper) == ERROR_SUCCESS;
    const bool styleRead = userDesktop.ReadString("WallpaperStyle", wallpaperStyle) == ERROR_SUCCESS;
    if (tileRead && styleRead)
        state.ShowMode = ShowModeFromDesktopValues(tileWallpaper, wallpaperStyle);
    userDesktop.Close();
    return state;
}
