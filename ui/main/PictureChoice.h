#pragma once
// The picture the user chooses in the select-picture dialog, from the
// show-picture box or the skin's Picture button, and how it becomes the
// wallpaper: the next readable picture of its folder when it cannot be
// read, the user told when the folder has none, and the show-picture box
// never left ticked with nothing shown.

#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <functional>
#include <string>
#include <vector>

class CAtHandCommands;
class CDialog;
class CWallpaperSchedule;

class CPictureChoice {
  public:
    // `showPictureOff` unticks the show-picture box and saves the settings;
    // `sourcesChanged` follows a change of the folders or of the subfolders
    // flag, both written to `key` by then.
    CPictureChoice(CDialog& window, Settings& settings, CRegistryKey& key, CWallpaperSchedule& schedule,
                   CAtHandCommands& atHand, std::function<void()> showPictureOff, std::function<void()> sourcesChanged);

    // The box was ticked: the user chooses, the choice is shown. False when
    // the box must go off again (cancelled, or nothing readable).
    bool OnShowPictureTicked();
    void OnShowPictureUnticked();
    // The Picture button: another picture at once, the schedule as it was.
    void OnSelectPictureButton();
    // "Include subfolders" from a menu.
    void ToggleSubfolders();

    // What the wallpaper's schedule reports.
    void WallpaperShown();
    void NoReadablePicture();

  private:
    // False when the user cancels.
    bool Choose();
    // Keeps what the dialog says of the folders; true when that changed.
    bool TakeSources(const std::vector<std::string>& folders, int includeSubfolders);
    bool WriteFoldersIfChanged(const std::vector<std::string>& folders);
    // Tells the user why no wallpaper could be shown from the folder.
    void ReportNoReadablePicture();

    CDialog& m_window;
    Settings& m_settings;
    CRegistryKey& m_key;
    CWallpaperSchedule& m_schedule;
    CAtHandCommands& m_atHand;
    std::function<void()> m_showPictureOff;
    std::function<void()> m_sourcesChanged;
    // The box was ticked and its picture is still on its way.
    bool m_tickAwaitsPicture = false;
};
