#include "engine/Wallpaper.h"

#include "framework/Path.h"
#include "image/ImageFileType.h"
#include "image/bmp/DibFile.h"
#include "settings/RegistryKey.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr WallpaperStyleValues kStyleTable[] = {
    {"0", "0"}, // centre
    {"0", "1"}, // tile
    {"2", "0"}, // stretch
};

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void WriteStyle(CRegistryKey& key, const WallpaperStyleValues* values)
{
    if (!values)
        return;
    key.WriteString("WallpaperStyle", values->WallpaperStyle);
    key.WriteString("TileWallpaper", values->TileWallpaper);
}

// The style values alone, in the keys and order of a whole change.
void WriteStyleValues(int alsoDefaultUser, const WallpaperStyleValues* values)
{
    if (alsoDefaultUser) {
        CRegistryKey defaultUser;
        defaultUser.Open(HKEY_USERS, kDefaultUserDesktopKeyPath);
        WriteStyle(defaultUser, values);
    }
    CRegistryKey userDesktop;
    CRegistryKey shellDesktop;
    userDesktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath);
    shellDesktop.Open(HKEY_CURRENT_USER, kShellDesktopKeyPath);
    WriteStyle(userDesktop, values);
    WriteStyle(shellDesktop, values);
}

// The file the desktop is pointed at for `picturePath`: a BMP in place, any
// other picture through the wallpaper bitmap file.
WallpaperChange WallpaperPathFor(std::string picturePath, std::string& wallpaperPath)
{
    // The desktop outlives the current directory. The empty path names no
    // picture, and stays empty.
    if (!picturePath.empty())
        picturePath = FullPathOf(picturePath);
    if (LowerCase(GetFileExtension(picturePath)) == "bmp") {
        // Used in place, by its own path: only its headers are read.
        if (!CanReadDibFile(picturePath))
            return WallpaperChange::PictureUnreadable;
        wallpaperPath = picturePath;
        return WallpaperChange::Shown;
    }
    const ConvertedWallpaper converted = ConvertToWallpaperBitmap(picturePath);
    if (!converted.pictureRead)
        return WallpaperChange::PictureUnreadable;
    if (converted.bitmapPath.empty())
        return WallpaperChange::BitmapNotWritten;
    wallpaperPath = converted.bitmapPath;
    return WallpaperChange::Shown;
}

void TellSystem(const std::string& wallpaperPath)
{
    // The system reads the style values it needs while it reloads, so this
    // comes after every registry write.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaperPath.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

} // namespace

const WallpaperStyleValues* StyleValuesFor(int style)
{
    if (style < 0 || style >= static_cast<int>(std::size(kStyleTable)))
        return nullptr;
    return &kStyleTable[style];
}

WallpaperChange ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style)
{
    const WallpaperStyleValues* styleValues = StyleValuesFor(style);
    std::string wallpaperPath;
    const WallpaperChange change = WallpaperPathFor(picturePath, wallpaperPath);
    if (change != WallpaperChange::Shown) {
        // The desktop keeps its picture, but the style chosen is kept too:
        // the next start takes the style from these values.
        WriteStyleValues(alsoDefaultUser, styleValues);
        return change;
    }

    if (alsoDefaultUser) {
        CRegistryKey defaultUser;
        defaultUser.Open(HKEY_USERS, kDefaultUserDesktopKeyPath);
        defaultUser.WriteString("Wallpaper", wallpaperPath);
        WriteStyle(defaultUser, styleValues);
        defaultUser.WriteString("Wallpaper", wallpaperPath);
        defaultUser.Close();
    }

    CRegistryKey userDesktop;
    CRegistryKey shellDesktop;
    userDesktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath);
    shellDesktop.Open(HKEY_CURRENT_USER, kShellDesktopKeyPath);

    WriteStyle(userDesktop, styleValues);
    WriteStyle(shellDesktop, styleValues);

    userDesktop.WriteString("Wallpaper", wallpaperPath);
    userDesktop.WriteString("ConvertedWallpaper", wallpaperPath);
    userDesktop.WriteString("OriginalWallpaper", wallpaperPath);
    shellDesktop.WriteString("Wallpaper", wallpaperPath);
    shellDesktop.WriteString("BackupWallpaper", wallpaperPath);

    TellSystem(wallpaperPath);
    shellDesktop.Close();
    userDesktop.Close();
    return WallpaperChange::Shown;
}

void RemoveWallpaper(int alsoDefaultUser)
{
    if (alsoDefaultUser) {
        CRegistryKey defaultUser;
        defaultUser.Open(HKEY_USERS, kDefaultUserDesktopKeyPath);
        defaultUser.WriteString("Wallpaper", "");
        defaultUser.Close();
    }

    CRegistryKey userDesktop;
    CRegistryKey shellDesktop;
    userDesktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath);
    shellDesktop.Open(HKEY_CURRENT_USER, kShellDesktopKeyPath);

    userDesktop.WriteString("Wallpaper", "");
    userDesktop.WriteString("ConvertedWallpaper", "");
    userDesktop.WriteString("OriginalWallpaper", "");
    shellDesktop.WriteString("Wallpaper", "");
    shellDesktop.WriteString("BackupWallpaper", "");

    TellSystem("");
    shellDesktop.Close();
    userDesktop.Close();
}
