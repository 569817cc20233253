#pragma once
// The user's settings: what the main window holds in memory and stores as
// text values under HKEY_CURRENT_USER\Software\Korvex\Tessaly.

#include "settings/ChangeTime.h"
#include "settings/RegistryKey.h"

#include <string>

constexpr char kSettingsKeyPath[] = "Software\\Korvex\\Tessaly";

// When the wallpaper changes.
enum ChangeMode { ChangeNever = 0, ChangeEachStart = 1, ChangeDaily = 2, ChangeInterval = 3 };
// How the wallpaper is laid out. Fit (whole picture, bands beside it) and
// fill (screen covered, edges cut) keep the picture's shape; span lays one
// picture across every monitor.
enum ShowMode { ShowCentre = 0, ShowTile = 1, ShowStretch = 2, ShowFit = 3, ShowFill = 4, ShowSpan = 5 };

struct Settings {
    int AutoRun = 0;
    int ChangeMode = ChangeNever;
    std::string Today;
    double ChangeTime = kDefaultInterval; // minutes
    int ShowMode = ShowCentre;
    int SetDefaultUser = 0;
    int HideShowDesktopIcon = 0;
    int ShowPic = 0;
    int Preview = 0;
    std::string CurPicFileName;
    std::string CurSkinIndex; // the skin folder name
    // Kept by values of their own (settings/AtHandSettings.h); missing,
    // they mean what the program did before it had them.
    int Paused = 0;
    int Shuffle = 0;
    // JPEG wallpapers in their own colours (a 24-bit bitmap) instead of 128
    // dithered ones. Stored only once the user has chosen it, by its own
    // writer: a key without it is written exactly as before.
    int FullColour = 0;
    // Where the pictures come from (settings/PictureSourceSettings.h):
    // the chosen folders and everything below them. Stored only once the
    // user has changed them; missing, the folder of CurPicFileName alone.
    int IncludeSubfolders = 0;
    std::string Folders; // paths joined by "|"; empty: the current picture's folder
};

// The skin folder beside the program, chosen by the system's language.
std::string SkinFolderNameForLanguage(LANGID language);

// Opens the settings key into `key` (which stays open for the caller) and
// loads `settings`: a new key gets the first-start values written, an
// existing one is read value by value, each with its own rule. ShowPic and
// ShowMode are left alone: they come from the desktop's own values.
// Returns whether HideShowDesktopIcon was read from the key.
bool LoadSettings(CRegistryKey& key, Settings& settings, LANGID language);

// Writes the nine values a save writes, in their order. AutoRun, Today and
// PaperPath have writers of their own.
void SaveSettings(CRegistryKey& key, const Settings& settings);
