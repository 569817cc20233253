#include "engine/WallpaperKeeper.h"

#include "engine/Wallpaper.h"
#include "image/bmp/DibFile.h"
#include "settings/RegistryKey.h"

namespace {

ULONGLONG Join(DWORD high, DWORD low)
{
    return static_cast<ULONGLONG>(high) << 32 | low;
}

} // namespace

WallpaperFileFacts ReadWallpaperFileFacts(const std::string& path)
{
    WallpaperFileFacts facts;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return facts;
    facts.exists = true;
    facts.size = Join(data.nFileSizeHigh, data.nFileSizeLow);
    facts.lastWrite = Join(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return facts;
}

WallpaperKept JudgeKeptWallpaper(const KeptWallpaper& kept, const DesktopWallpaperNow& now)
{
    if (now.value.empty())
        return WallpaperKept::Lost;
    if (lstrcmpiA(now.value.c_str(), kept.path.c_str()) != 0)
        return now.valueNamesAFile ? WallpaperKept::OtherChosen : WallpaperKept::Lost;
    // Ours by name: whole and untouched, or shown again.
    if (!(now.keptFileNow == kept.facts) || !now.keptHeaderReadable)
        return WallpaperKept::Lost;
    return WallpaperKept::Intact;
}

DesktopWallpaperNow ReadDesktopWallpaperNow(const KeptWallpaper& kept)
{
    DesktopWallpaperNow now;
    CRegistryKey desktop;
    if (desktop.Open(HKEY_CURRENT_USER, kUserDesktopKeyPath) == ERROR_SUCCESS)
        desktop.ReadString("Wallpaper", now.value);
    now.valueNamesAFile = ReadWallpaperFileFacts(now.value).exists;
    now.keptFileNow = ReadWallpaperFileFacts(kept.path);
    // A few header bytes, read only when everything else says it is whole.
    now.keptHeaderReadable = now.keptFileNow == kept.facts && CanReadDibFile(kept.path);
    return now;
}
