#include "engine/Wallpaper.h"

#include "image/ImageFileType.h"
#include "image/ImageObject.h"
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

std::string WallpaperBitmapPath()
{
    char directory[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory, length < MAX_PATH ? length : 0) + "\\Quorwall.bmp";
}

bool ConvertPictureToBitmap(const std::string& sourcePath, const std::string& bitmapPath)
{
    const int type = ImageTypeForPictureFile(sourcePath);
    if (type < 0)
        return false;
    CImageObject picture(sourcePath, type);
    if (picture.GetWidth() <= 0 || picture.GetHeight() <= 0)
        return false;
    // Saved at its own size and depth: the display style does the fitting.
    picture.Save(bitmapPath, -1);
    return true;
}

void ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style)
{
    std::string wallpaperPath = picturePath;
    if (LowerCase(GetFileExtension(picturePath)) != "bmp") {
        // A picture that does not convert still points the desktop at the
        // bitmap file, which keeps the last picture that did.
        wallpaperPath = WallpaperBitmapPath();
        ConvertPictureToBitmap(picturePath, wallpaperPath);
    }
    const WallpaperStyleValues* styleValues = StyleValuesFor(style);

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
