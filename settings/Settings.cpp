#include "settings/Settings.h"

#include "framework/NumberText.h"
#include "settings/ChangeTime.h"
#include "settings/PictureSourceSettings.h"

#include <cstdio>
#include <vector>

namespace {

constexpr char kChineseSkinFolder[] = "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6";
constexpr char kEnglishSkinFolder[] = "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58";
constexpr char kNoDailyChangeYet[] = "00000000";

std::string WindowsDirectory()
{
    char buffer[MAX_PATH + 1] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return std::string(buffer, length <= MAX_PATH ? length : 0);
}

std::string DecimalText(int value)
{
    return std::to_string(value);
}

void WriteFirstStartValues(CRegistryKey& key, Settings& settings)
{
    const std::string windowsDirectory = WindowsDirectory();
    key.WriteString("AutoRun", "0");
    key.WriteString("ChangeMode", "1");
    key.WriteString("Today", kNoDailyChangeYet);
    key.WriteString("ChangeTime", "30");
    key.WriteString("ShowMode", "0");
    key.WriteString("SetDefaultUser", "0");
    key.WriteString("HideShowDesktopIcon", "0");
    key.WriteString("PaperPath", windowsDirectory);
    key.WriteString("Preview", "0");

    settings.AutoRun = 0;
    settings.ChangeMode = ChangeEachStart;
    settings.Today = kNoDailyChangeYet;
    settings.ChangeTime = kDefaultInterval;
    settings.SetDefaultUser = 0;
    settings.HideShowDesktopIcon = 0;
    // Stored as "0" but on in memory: the first save writes "1".
    settings.Preview = 1;
    // No file equals a bare folder, so the first search starts with the
    // first picture of the Windows folder.
    settings.CurPicFileName = windowsDirectory + "\\";
}

int ChangeModeFromText(const std::string& text)
{
    if (text == "1")
        return ChangeEachStart;
    if (text == "2")
        return ChangeDaily;
    if (text == "3")
        return ChangeInterval;
    return ChangeNever;
}

int FlagFromNumberText(const std::string& text)
{
    return LeadingInt(text.c_str()) != 0 ? 1 : 0;
}

// "1" on; anything else (missing, another text or another value type) off.
int ReadFullColour(CRegistryKey& key)
{
    std::string text;
    return key.ReadString("FullColour", text) == ERROR_SUCCESS && text == "1" ? 1 : 0;
}

bool ReadStoredValues(CRegistryKey& key, Settings& settings)
{
    std::string text;
    if (key.ReadString("AutoRun", text) == ERROR_SUCCESS) {
        settings.AutoRun = text == "0" ? 0 : 1;
    } else {
        key.WriteString("AutoRun", "0");
        settings.AutoRun = 0;
    }

    settings.Today = kNoDailyChangeYet;
    key.ReadString("Today", settings.Today);

    if (key.ReadString("ChangeMode", text) == ERROR_SUCCESS) {
        settings.ChangeMode = ChangeModeFromText(text);
    } else {
        key.WriteString("ChangeMode", "1");
        settings.ChangeMode = ChangeEachStart;
    }

    settings.ChangeTime = kDefaultInterval;
    if (key.ReadString("ChangeTime", text) == ERROR_SUCCESS)
        settings.ChangeTime = IntervalFromStoredText(text);

    settings.SetDefaultUser = 0;
    if (key.ReadString("SetDefaultUser", text) == ERROR_SUCCESS)
        settings.SetDefaultUser = FlagFromNumberText(text);

    settings.HideShowDesktopIcon = 0;
    const bool iconOptionRead = key.ReadString("HideShowDesktopIcon", text) == ERROR_SUCCESS;
    if (iconOptionRead)
        settings.HideShowDesktopIcon = FlagFromNumberText(text);

    settings.Preview = 1;
    if (key.ReadString("Preview", text) == ERROR_SUCCESS)
        settings.Preview = FlagFromNumberText(text);

    settings.CurPicFileName.clear();
    key.ReadString("CurPicFileName", settings.CurPicFileName);
    settings.FullColour = ReadFullColour(key);
    ReadPictureSourceSettings(key, settings);
    return iconOptionRead;
}

} // namespace

std::string SkinFolderNameForLanguage(LANGID language)
{
    return PRIMARYLANGID(language) == LANG_CHINESE ? kChineseSkinFolder : kEnglishSkinFolder;
}

bool LoadSettings(CRegistryKey& key, Settings& settings, LANGID language)
{
    settings.CurSkinIndex = SkinFolderNameForLanguage(language);
    DWORD disposition = 0;
    key.Open(HKEY_CURRENT_USER, kSettingsKeyPath, &disposition);
    if (disposition == REG_CREATED_NEW_KEY) {
        WriteFirstStartValues(key, settings);
        return false;
    }
    return ReadStoredValues(key, settings);
}

void SaveSettings(CRegistryKey& key, const Settings& settings)
{
    char changeTime[512];
    std::snprintf(changeTime, sizeof changeTime, "%lf", settings.ChangeTime);
    key.WriteString("ChangeMode", DecimalText(settings.ChangeMode));
    key.WriteString("ChangeTime", changeTime);
    key.WriteString("ShowMode", DecimalText(settings.ShowMode));
    key.WriteString("SetDefaultUser", DecimalText(settings.SetDefaultUser));
    key.WriteString("HideShowDesktopIcon", DecimalText(settings.HideShowDesktopIcon));
    key.WriteString("ShowPic", DecimalText(settings.ShowPic));
    key.WriteString("Preview", DecimalText(settings.Preview));
    key.WriteString("CurPicFileName", settings.CurPicFileName);
    key.WriteString("CurSkinIndex", settings.CurSkinIndex);
}
