#pragma once
// The main settings window: dialog 102 of the language module, the
// program's only top-level window, a settings form inside a skinned window
// (ui/SkinnedWindow.h). It holds the settings in memory, runs the change
// scheduler on its timer 0, and stores the settings back after each change
// and when it closes.

#include "engine/ChangeScheduler.h"
#include "engine/PictureAtHand.h"
#include "engine/WallpaperChanger.h"
#include "framework/Dialog.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"
#include "ui/AtHandVerb.h"
#include "ui/SkinnedWindow.h"
#include "ui/menu/OwnerDrawMenu.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CTrayIcon;

class CMainSettingsDlg : public CDialog,
                         private ChangeSchedulerHost,
                         private WallpaperChangerHost,
                         private SkinnedWindowHost {
  public:
    explicit CMainSettingsDlg(CWnd* parent = nullptr);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Takes `ShowPic` and `ShowMode` from the desktop's own wallpaper values.
    void ReadDesktopWallpaperSettings();
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

    // Help and About, also for the skin's help and About buttons
    // (MainSettingsDlgMenus.cpp).
    void ShowHelpTopic(const char* topic);
    void ShowAboutBox();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

  private:
    // Takes the edit's interval only when it is valid. A bad one is reported
    // only while m_reportBadInterval is set: once when the user types it and
    // when Enter asks for the window's values, never again at each later
    // read of the controls.
    void ExchangeInterval(CDataExchange* dx);
    BOOL ReadControlsReportingBadInterval();
    // The interval the edit holds, when it is a valid one.
    std::optional<double> EditedInterval() const;
    // A bad interval is reported when the user is done with it (Enter,
    // leaving the edit, closing the window), once for each text.
    void ReportBadIntervalOnce();
    void OnIntervalEditLeft();
    void AppendAboutToSystemMenu();
    // ---- Menus, notification icon, About box and help (MainSettingsDlgMenus.cpp)
    void RegisterTrayIcon();
    // Messages of those parts, seen before any other handling; true when handled.
    bool OnMenusAndTrayMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnMenuCommand(UINT id);
    void OnContextMenu(HWND window, POINT point);
    // Ticks the menus' check items before a menu shows.
    void OnInitMenuPopup(HMENU menu);
    void PaintMinimised();
    COwnerDrawMenu m_contextMenu;

    // ---- The picture at hand (MainSettingsAtHand.cpp): Next, Previous,
    // the picture's folder, exclusions, pause, shuffle, the verbs of the
    // command line, and the schedule's catch-up after sleep or an unlock.
    // Messages of that part, seen before any other handling; true when handled.
    bool OnAtHandMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    bool OnAtHandCommand(UINT id);
    void OnAtHandVerb(AtHandVerb verb);
    // The verb of this start's command line, once the window has hidden.
    void RunStartupVerb();
    void PrepareAtHandMenu(HMENU menu);
    // The user picked `picture` in the select-picture dialog.
    void OnPictureChosenByUser(const std::string& picture);
    // Next or Previous, from a menu or the command line.
    void ChangeByUser(PictureAtHand::Step step);
    void OpenPictureFolder();
    void SetPaused(bool paused);
    // The tip's second line: the picture shown, and whether changes pause.
    void RefreshTipDetail();
    void RegisterSessionNotification();
    void UnregisterSessionNotification();
    PictureAtHand m_atHand{m_settings, m_settingsKey};

    // ---- The skin buttons' commands (MainSettingsDlgSkin.cpp)
    void EnableSelectPictureButton(bool enabled);
    void OnSkinButtonClick(int index) override;
    CSkinnedWindow m_skin{*this};
    // ----

    // Enables the controls that only mean something while a picture is shown
    // (and the styles only where the system can show them).
    void UpdateControlStates();
    void EnableStyleRadios(bool showPic);
    void Hide();
    void Show();
    // The window opens where the user left it (ui/WindowPlacement.h).
    void PlaceWhereLeft();
    void RememberPlace();
    // The notification icon's tip follows the window: "click to show" while
    // hidden, "click to hide" while shown.
    void SetTrayTip(UINT stringId);

    void OnTimer(UINT_PTR id);
    void OnStartupHideTimer();
    bool OnSysCommand(WPARAM command);

    void OnAutoRunClicked();
    void OnHideDesktopIconsClicked();
    void OnSetDefaultUserClicked();
    void OnChangeModeClicked(int mode);
    void OnIntervalChanged();
    void OnStyleClicked();
    void OnFullColourChosen();
    void OnShowPictureClicked();
    // The user picks the picture to show in the select-picture dialog (see
    // MainSettingsPicture.cpp); false when they cancel.
    bool ChoosePicture();
    // Skin button 0: the user picks another picture, which becomes the
    // wallpaper at once; the schedule goes on as it was.
    void OnSelectPictureButton();

    // ChangeSchedulerHost: what the scheduler asks of the window.
    void ChangeToNextPicture() override;
    bool ApplyCurrentPicture() override;
    // Tells the user why no wallpaper could be shown from the folder.
    void ReportNoReadablePicture();
    void StartChangeTimer(UINT period) override;
    void StopChangeTimer() override;
    void StartRepaintTimer(UINT delay) override;
    void EnableIntervalEdit(bool enabled) override;
    void WriteToday(const std::string& today) override;
    void WriteChangeMode(int mode) override;
    bool SomeoneWorksFullScreen() override;
    void StartQuietCheckTimer() override;
    void StopQuietCheckTimer() override;

    // WallpaperChangerHost: the changes that run beside the window.
    std::string CurrentPicture() const override;
    WallpaperOptions CurrentWallpaperOptions() const override;
    std::vector<std::string> NextPictures() override;
    std::vector<std::string> PreviousPictures() override;
    void MoveToPicture(const std::string& picture, bool back) override;
    void WallpaperShown() override;
    void NoReadablePicture() override;

    CRegistryKey m_settingsKey;
    CRegistryKey m_logonKey;
    CChangeScheduler m_scheduler;
    CWallpaperChanger m_wallpaper;
    HICON m_icon = nullptr;
    // Started with "min" and not hidden yet.
    bool m_pendingStartupHide = false;
    bool m_reportBadInterval = false;
    bool m_badIntervalReported = false;
    // The show-picture box was ticked and its picture is still on its way.
    bool m_tickAwaitsPicture = false;
};
