#include "tests/wallpaper_e2e/RunningTessaly.h"

#include "engine/TodayText.h"
#include "engine/Wallpaper.h"
#include "settings/Settings.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowHelpers.h"

namespace wallpaper_e2e {

using namespace testing_support;

namespace {

constexpr wchar_t kCaption[] = L"Orvane Tessaly";
constexpr DWORD kAnswerTimeout = 10000; // ms

} // namespace

void PresetSettings(const std::map<std::string, std::string>& values)
{
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
    for (const auto& [name, text] : values)
        WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name.c_str(), text);
}

void PresetDesktop(const std::string& wallpaper, const std::string& tileWallpaper, const std::string& wallpaperStyle)
{
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", wallpaper);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", tileWallpaper);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", wallpaperStyle);
}

std::string Setting(const char* name)
{
    return ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name).value_or("<missing>");
}

std::string DesktopValue(const char* name)
{
    return ReadStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, name).value_or("<missing>");
}

std::string ShellDesktopValue(const char* name)
{
    return ReadStringValue(HKEY_CURRENT_USER, kShellDesktopKeyPath, name).value_or("<missing>");
}

std::string ProgramPath()
{
    return TestProgramDirectory() + "\\Tessaly.exe";
}

std::string TodayText()
{
    return GetTodayText();
}

RunningTessaly::RunningTessaly(const std::string& arguments, const std::string& workingDirectory)
    : m_program(std::make_unique<Program>(ProgramPath(), arguments, workingDirectory))
{
    if (!m_program->Started())
        return;
    m_window = m_program->WaitForWindow(kCaption);
    // The caption exists from the window's creation on; the window shows
    // once its initialisation (and the start-up change) is over.
    PumpUntil([&] { return IsWindowVisible(m_window) != FALSE; }, kAnswerTimeout);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeout, &result);
}

bool RunningTessaly::Click(int id) const
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Control(id), BM_CLICK, 0, 0, SMTO_NORMAL, kAnswerTimeout, &result) != 0;
}

bool RunningTessaly::PostClick(int id) const
{
    return PostMessageW(Control(id), BM_CLICK, 0, 0) != FALSE;
}

HWND RunningTessaly::WaitForWindow(const wchar_t* caption) const
{
    return m_program->WaitForWindow(caption, kAnswerTimeout);
}

bool RunningTessaly::Close()
{
    PostMessageW(m_window, WM_CLOSE, 0, 0);
    const bool ended = m_program->WaitForExit(kAnswerTimeout);
    m_program->Terminate();
    return ended;
}

} // namespace wallpaper_e2e
