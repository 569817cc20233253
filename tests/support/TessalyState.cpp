#include "tests/support/TessalyState.h"

#include "engine/Wallpaper.h"
#include "settings/Settings.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Registry.h"

namespace testing_support {

void PresetSettings(const std::map<std::string, std::string>& values)
{
    DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
    for (const auto& [name, text] : values)
        WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name.c_str(), text);
}

std::map<std::string, std::string> UsualSettings(const std::string& changeMode, const std::string& currentPicture)
{
    return {{"AutoRun", "0"},     {"ChangeMode", changeMode},        {"Today", "00000000"},
            {"ChangeTime", "30"}, {"SetDefaultUser", "0"},           {"HideShowDesktopIcon", "0"},
            {"Preview", "1"},     {"CurPicFileName", currentPicture}};
}

void PresetDesktop(const std::string& wallpaper, int showMode)
{
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", wallpaper);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", showMode == 2 ? "2" : "0");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", showMode == 1 ? "1" : "0");
}

ScopedDpi::ScopedDpi(unsigned dpi)
{
    const DWORD value = dpi;
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kUserDesktopKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
        return;
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

ScopedDpi::~ScopedDpi()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserDesktopKeyPath, 0, KEY_SET_VALUE, &key))
        return;
    RegDeleteValueA(key, "LogPixels");
    RegCloseKey(key);
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

std::string ShownPicture()
{
    const std::string wallpaper = DesktopValue("Wallpaper");
    const std::string name = wallpaper.substr(wallpaper.rfind('\\') + 1);
    if (name != "Quorwall.bmp")
        return name;
    const auto size = BitmapFileSize(wallpaper);
    if (!size)
        return "(unreadable bitmap " + wallpaper + ")";
    return "Q" + std::to_string(size->first) + "/" + std::to_string(BitmapBitCount(wallpaper));
}

} // namespace testing_support
