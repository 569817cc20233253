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
    {"0", "0"},  // centre
    {"0", "1"},  // tile
    {"2", "0"},  // stretch
    {"6", "0"},  // fit
    {"10", "0"}, // fill
    {"22", "0"}, // span
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

// The default user's values: the style, with the path (when one is
// given) written before and after it.
void WriteDefaultUser(const std::string* wallpaperPath, const WallpaperStyleValues* values)
{
    CRegistryKey defaultUser;
    defaultUser.Open(HKEY_USERS, kDefaultUserDesktopKeyPath);
    const auto writePath = [&] {
        if (wallpaperPath)
            defaultUser.WriteString("Wallpaper", *wallpaperPath);
    };
    writePath();
    WriteStyle(defaultUser, values);
    writePath();
    defaultUser.Close();
}

// The current user's two desktop keys, the user desktop key opened first.
struct UserDesktopKeys {
    CRegistryKey user;
    CRegistryKey shell;

    UserDesktopKeys()
    {
        user.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath);
        shell.Open(HKEY_CURRENT_USER, kShellDesktopKeyPath);
    }
    void WriteStyle(const WallpaperStyleValues* values)
    {
        ::WriteStyle(user, values);
        ::WriteStyle(shell, values);
    }
};

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

PreparedWallpaper PrepareWallpaper(std::string picturePath, bool fullColour)
{
    PreparedWallpaper prepared;
    // The desktop outlives the current directory. The empty path names no
    // picture, and stays empty.
    if (!picturePath.empty())
        picturePath = FullPathOf(picturePath);
    if (LowerCase(GetFileExtension(picturePath)) == "bmp") {
        // Used in place, by its own path: only its headers are read.
        if (!CanReadDibFile(picturePath))
            return prepared;
        prepared.change = WallpaperChange::Shown;
        prepared.wallpaperPath = picturePath;
        return prepared;
    }
    const ConvertedWallpaper converted = ConvertToWallpaperBitmap(picturePath, fullColour);
    if (!converted.pictureRead)
        return prepared;
    if (converted.bitmapPath.empty()) {
        prepared.change = WallpaperChange::BitmapNotWritten;
        return prepared;
    }
    prepared.change = WallpaperChange::Shown;
    prepared.wallpaperPath = converted.bitmapPath;
    return prepared;
}

void ShowWallpaperFile(const std::string& wallpaperPath, int alsoDefaultUser, int style)
{
    const WallpaperStyleValues* styleValues = StyleValuesFor(style);
    if (alsoDefaultUser)
        WriteDefaultUser(&wallpaperPath, styleValues);

    UserDesktopKeys keys;
    keys.WriteStyle(styleValues);
    keys.user.WriteString("Wallpaper", wallpaperPath);
    keys.user.WriteString("ConvertedWallpaper", wallpaperPath);
    keys.user.WriteString("OriginalWallpaper", wallpaperPath);
    keys.shell.WriteString("Wallpaper", wallpaperPath);
    keys.shell.WriteString("BackupWallpaper", wallpaperPath);

    TellSystem(wallpaperPath);
    RemoveFallbackBitmapOnceBack(wallpaperPath);
    keys.shell.Close();
    keys.user.Close();
}

WallpaperChange ApplyWallpaper(std::string picturePath, int alsoDefaultUser, int style, bool fullColour)
{
    const PreparedWallpaper prepared = PrepareWallpaper(std::move(picturePath), fullColour);
    if (prepared.change == WallpaperChange::Shown)
        ShowWallpaperFile(prepared.wallpaperPath, alsoDefaultUser, style);
    else
        KeepWallpaperStyle(alsoDefaultUser, style);
    return prepared.change;
}

void KeepWallpaperStyle(int alsoDefaultUser, int style)
{
    const WallpaperStyleValues* values = StyleValuesFor(style);
    if (alsoDefaultUser)
        WriteDefaultUser(nullptr, values);
    UserDesktopKeys().WriteStyle(values);
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

namespace {

std::optional<bool> defaultUserWritableForTesting;

} // namespace

bool CanSetDefaultUserWallpaper()
{
    if (defaultUserWritableForTesting)
        return *defaultUserWritableForTesting;
    // Created when missing, as the writes themselves would create it.
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_USERS, kDefaultUserDesktopKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void SetDefaultUserWritableForTesting(std::optional<bool> writable)
{
    defaultUserWritableForTesting = writable;
}
