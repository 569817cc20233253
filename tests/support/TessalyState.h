#pragma once
// What Tessaly.exe starts from and leaves behind: its settings key and the
// current user's desktop values, preset before a start and read after.

#include <map>
#include <string>

namespace testing_support {

// The program's settings key holds exactly these values (none when empty).
void PresetSettings(const std::map<std::string, std::string>& values = {});
// The values a program that has run before leaves, in this change mode
// with this current picture; a test changes those it is about.
std::map<std::string, std::string> UsualSettings(const std::string& changeMode = "0",
                                                 const std::string& currentPicture = "");

// The current user's desktop shows `wallpaper` (nothing when empty) in the
// style of `showMode` (0 centre, 1 tile, 2 stretch). A wallpaper makes the
// program show pictures and change them as its settings say.
void PresetDesktop(const std::string& wallpaper, int showMode = 0);

// The programs started while it lives see `dpi`, as on a screen scaled to
// dpi / 96 (the current user's LogPixels, which Wine reads at each start).
class ScopedDpi {
  public:
    explicit ScopedDpi(unsigned dpi);
    ~ScopedDpi();
    ScopedDpi(const ScopedDpi&) = delete;
    ScopedDpi& operator=(const ScopedDpi&) = delete;
};

// A value of the settings key, of the desktop, or of the shell's desktop;
// "<missing>" when there is none.
std::string Setting(const char* name);
std::string DesktopValue(const char* name);
std::string ShellDesktopValue(const char* name);

// What the desktop shows: a picture's file name, or "Q<width>/<bits>" for
// the converted bitmap (wherever it was written), whose width tells which
// picture it holds and whose depth how it was converted.
std::string ShownPicture();

} // namespace testing_support
