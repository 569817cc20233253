#pragma once
// Tessaly.exe started from the build folder with the settings and desktop
// values a test presets, driven through its window's controls the way a
// user's tools do, and always gone when the test ends.

#include "tests/support/Program.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>

namespace wallpaper_e2e {

// Replaces the program's settings key with exactly these values.
void PresetSettings(const std::map<std::string, std::string>& values);
// The current user's desktop wallpaper values, as the program finds them at start.
void PresetDesktop(const std::string& wallpaper, const std::string& tileWallpaper, const std::string& wallpaperStyle);

std::string Setting(const char* name);
std::string DesktopValue(const char* name);
std::string ShellDesktopValue(const char* name);
std::string ProgramPath();
// Today's local date as the program writes it.
std::string TodayText();

class RunningTessaly {
  public:
    explicit RunningTessaly(const std::string& arguments = "", const std::string& workingDirectory = "");

    // The main window, once it exists; null when the program did not start.
    HWND Window() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    // A click as the button receives it from the mouse; returns once the
    // program has handled it.
    bool Click(int id) const;
    // The same click without waiting, for a click that opens a dialog.
    bool PostClick(int id) const;
    // A top-level window of the program with this caption, once it waits
    // for input; null when none shows.
    HWND WaitForWindow(const wchar_t* caption) const;
    // Closes the window as Alt+F4 does and waits for the program to end
    // (it saves its settings on the way out).
    bool Close();

  private:
    std::unique_ptr<testing_support::Program> m_program;
    HWND m_window = nullptr;
};

} // namespace wallpaper_e2e
