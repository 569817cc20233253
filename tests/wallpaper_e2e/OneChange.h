#pragma once
// One start of Tessaly.exe in each-start mode: it makes one change while
// its window initialises, so the values it leaves tell what that change did.

#include <string>

namespace wallpaper_e2e {

// A wallpaper the desktop shows in all five path values before the program
// starts; no test folder holds it, so any change away from it is the
// program's.
constexpr char kEarlierWallpaper[] = "C:\\earlier wallpaper.bmp";

// Starts the program from `workingDirectory` (its own folder when empty)
// with `currentPicture`, and closes it again.
void StartOnce(const std::string& currentPicture, const std::string& workingDirectory = "");

// All five path values still name kEarlierWallpaper.
void ExpectDesktopUntouched();

} // namespace wallpaper_e2e
