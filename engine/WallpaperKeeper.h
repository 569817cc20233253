#pragma once
// Whether the wallpaper this program gave the desktop is still there. After
// sleep, an unlock, a remote session, a display change or a restart of
// Explorer the desktop can come back black or stale: the bitmap gone or
// cut short, or the desktop's wallpaper value emptied. Told apart, cheaply
// (no picture is decoded), from a wallpaper someone else chose since, which
// is left alone.

#include <windows.h>

#include <string>

// A file's size and last write, as the desktop was given it.
struct WallpaperFileFacts {
    bool exists = false;
    ULONGLONG size = 0;
    ULONGLONG lastWrite = 0;

    bool operator==(const WallpaperFileFacts& other) const
    {
        return exists == other.exists && size == other.size && lastWrite == other.lastWrite;
    }
};
WallpaperFileFacts ReadWallpaperFileFacts(const std::string& path);

// The file this program last gave the desktop, as it was then.
struct KeptWallpaper {
    std::string path;
    WallpaperFileFacts facts;
};

// What the desktop shows now.
struct DesktopWallpaperNow {
    std::string value;               // the desktop's `Wallpaper` value
    bool valueNamesAFile = false;    // the file it names exists
    WallpaperFileFacts keptFileNow;  // the kept file as it is now
    bool keptHeaderReadable = false; // its bitmap headers are whole
};

enum class WallpaperKept {
    Intact,
    // Gone, changed behind our back or emptied: it is shown again.
    Lost,
    // The desktop names another file that exists: someone chose it after ours.
    OtherChosen,
};

WallpaperKept JudgeKeptWallpaper(const KeptWallpaper& kept, const DesktopWallpaperNow& now);

// Reads the desktop's value and the kept file.
DesktopWallpaperNow ReadDesktopWallpaperNow(const KeptWallpaper& kept);
