#pragma once
// One start of Tessaly.exe in each-start mode: it makes one change while
// its window initialises, so the values it leaves tell what that change did.

#include <windows.h>

#include <string>

namespace wallpaper_e2e {

// What the desktop shows before each start, in all five path values.
constexpr char kEarlierWallpaper[] = "C:\\earlier wallpaper.bmp";

// Starts the program from `workingDirectory` (its own folder when empty)
// with `currentPicture`, and closes it again once the desktop shows a new
// wallpaper or `changeTime` ms have passed (closing stops a conversion).
void StartOnce(const std::string& currentPicture, const std::string& workingDirectory = "", DWORD changeTime = 3000);

// All five path values name `path`.
void ExpectDesktopShows(const std::string& path);

} // namespace wallpaper_e2e
