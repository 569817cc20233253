#pragma once
// The desktop as a person sees it while the program works: which picture
// it shows after each change the program announces, and whether the
// screen really shows a picture.

#include <windows.h>

#include <string>

namespace e2e {

// The current user's desktop shows `wallpaper` (nothing when empty) with
// the style of `showMode` (0 centre, 1 tile, 2 stretch).
void PresetDesktopWallpaper(const std::string& wallpaper, int showMode);

// The current user's desktop wallpaper value.
std::string DesktopWallpaper();
// Another value of the current user's desktop, such as "WallpaperStyle".
std::string DesktopValue(const char* name);

// What the desktop shows: a picture's file name, or "Q<width>/<bits>" for
// the converted bitmap (wherever it was written), whose width tells which
// picture it holds and whose depth how it was converted.
std::string ShownPicture();

// What the middle of the screen, where a centred wallpaper lies, shows.
enum class ScreenCentre { PlainDesktop, Picture };
// Waits until the middle of the screen shows `what`; false at the deadline.
bool WaitForScreenCentre(ScreenCentre what);

} // namespace e2e
