#pragma once
// The main settings window: dialog 102 of the language module, the
// program's only top-level window, a settings form inside a skin. The form
// holds the settings in memory, fills its controls from them, writes them
// back after each action of the user and when it closes, and answers the
// skin's six buttons. Everything else is a part of its own (listed last
// below), each offered the window's messages in turn before the form:
// keeping the wallpaper it set, the wallpaper's schedule and changes, the start-up hide, the icon and
// menus, the picture at hand with the verbs, the session's events, the
// interval edit's checks, the desktop options, and the skin; and the
// picture choice, which the form calls.

#include "engine/AtHandVerb.h"
#include "engine/PictureAtHand.h"
#include "framework/Dialog.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"
#include "ui/SkinnedWindow.h"
#include "ui/main/AtHandCommands.h"
#include "ui/main/DesktopOptions.h"
#include "ui/main/IconAndMenus.h"
#include "ui/main/IntervalEdit.h"
#include "ui/main/PictureChoice.h"
#include "ui/main/SessionEvents.h"
#include "ui/main/StartupHide.h"
#include "ui/main/WallpaperKeeping.h"
#include "ui/main/WallpaperSchedule.h"

#include <optional>
#include <string>

class CTrayIcon;

// The skin button that opens the select-picture dialog: off while no
// picture is shown.
constexpr int kSelectPictureButton = 0;

class CMainSettingsDlg : public CDialog, private WallpaperScheduleHost, private SkinnedWindowHost {
  public:
    explicit CMainSettingsDlg(CWnd* parent = nullptr);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Loads the settings key: the first-start values or the stored ones.
    // Returns whether HideShowDesktopIcon was stored.
    bool LoadSettings();
    // Reads the controls and writes the settings, once for each action of
    // the user. A bad interval in the edit is passed over in silence: the
    // last valid one is written. Virtual so a test can count the saves.
    virtual void SaveSettings();

    Settings m_settings;
    bool m_startMinimised = false;
    // A verb of this start's command line, done once the window has hidden.
    std::optional<AtHandVerb> m_startupVerb;
    // The application's notification icon; set before the window runs.
    CTrayIcon* m_trayIcon = nullptr;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

  private:
    // Takes `ShowPic` and `ShowMode` from the desktop's own wallpaper values.
    void ReadDesktopWallpaperSettings();
    // Enables the controls that only mean something while a picture is shown
    // (and the styles only where the system can show them).
    void UpdateControlStates();
    void EnableStyleRadios(bool showPic);
    void SaveBeforeSessionEnds();
    void HideAtStartup();

    void OnChangeModeClicked(int mode);
    void OnIntervalEdited();
    void OnStyleClicked();
    void OnFullColourChosen();
    void OnSubfoldersChosen();
    // The folders or the subfolders flag changed (and are written).
    void OnPictureSourcesChanged();
    void OnShowPictureClicked();
    // The show-picture box goes off again: nothing could be shown.
    void ShowPictureOff();
    void OnSkinButtonClick(int index) override;

    // WallpaperScheduleHost
    void EnableIntervalEdit(bool enabled) override;
    void ScheduleRepaint(UINT delay) override;
    void CurrentPictureMoved() override;
    void WallpaperShown() override;
    void NoReadablePicture() override;

    CRegistryKey m_settingsKey;
    PictureAtHand m_atHand{m_settings, m_settingsKey};

    // The parts, in the order they see the window's messages.
    CWallpaperSchedule m_schedule{m_settings, m_settingsKey, m_atHand, *this};
    CStartupHide m_startupHide{[this] { HideAtStartup(); }};
    CIconAndMenus m_iconAndMenus{m_settings, m_startupHide, [this] { OnFullColourChosen(); },
                                 [this] { OnSubfoldersChosen(); }};
    CAtHandCommands m_atHandCommands{m_settings, m_atHand, m_schedule, m_iconAndMenus, [this] { EndDialog(IDOK); }};
    CSessionEvents m_sessionEvents{m_schedule.Scheduler(), [this] { SaveBeforeSessionEnds(); }};
    CWallpaperKeeping m_keeping{m_settings, m_schedule, m_atHandCommands, m_sessionEvents};
    CIntervalEdit m_intervalEdit{*this, m_settings, [this] { OnIntervalEdited(); }};
    CDesktopOptions m_desktopOptions{*this, m_settings, m_settingsKey, [this] { SaveSettings(); }};
    CSkinnedWindow m_skin{*this};
    // Not a message handler: the form calls it.
    CPictureChoice m_pictureChoice{*this,
                                   m_settings,
                                   m_settingsKey,
                                   m_schedule,
                                   m_atHandCommands,
                                   [this] { ShowPictureOff(); },
                                   [this] { OnPictureSourcesChanged(); }};
};
