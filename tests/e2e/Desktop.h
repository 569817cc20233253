#pragma once
// The desktop as a person sees it while the program works: which picture
// it shows after each change the program announces, and whether the
// screen really shows a picture.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The current user's desktop shows `wallpaper` (nothing when empty) with
// the style of `showMode` (0 centre, 1 tile, 2 stretch).
void PresetDesktopWallpaper(const std::string& wallpaper, int showMode);

// The current user's desktop wallpaper value.
std::string DesktopWallpaper();
// Another value of the current user's desktop, such as "WallpaperStyle".
std::string DesktopValue(const char* name);

// What the desktop shows: a picture's file name, or "Q<width>" for the
// converted bitmap (wherever it was written), whose width tells which
// picture it holds.
std::string ShownPicture();

// Every new wallpaper the program announces (the system's setting-change
// broadcast), as ShownPicture describes it at that moment. The program
// waits for this window's answer, so the bitmap is read while nobody
// writes it. Announcements arrive while this thread pumps messages.
class WallpaperWatch {
  public:
    WallpaperWatch();
    ~WallpaperWatch();
    WallpaperWatch(const WallpaperWatch&) = delete;
    WallpaperWatch& operator=(const WallpaperWatch&) = delete;

    const std::vector<std::string>& Shown() const { return m_shown; }
    // Waits until `count` announcements have come; false at the deadline.
    bool WaitFor(std::size_t count) const;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    HWND m_window = nullptr;
    std::vector<std::string> m_shown;
};

// What the middle of the screen, where a centred wallpaper lies, shows.
enum class ScreenCentre { PlainDesktop, Picture };
// Waits until the middle of the screen shows `what`; false at the deadline.
bool WaitForScreenCentre(ScreenCentre what);

} // namespace e2e
