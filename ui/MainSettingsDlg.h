#pragma once
// The main settings window: dialog 102 of the language module, the
// program's only top-level window. It holds the settings in memory and
// stores them back after each change and when it closes.

#include "framework/Dialog.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <string>

class CMainSettingsDlg : public CDialog {
public:
    explicit CMainSettingsDlg(CWnd* parent = nullptr);

    BOOL DestroyWindow() override;

    // Loads the settings key: the first-start values or the stored ones.
    // Returns whether HideShowDesktopIcon was stored.
    bool LoadSettings();
    // Reads the controls (the outcome of their validation is not looked
    // at) and writes the settings.
    void SaveSettings();

    // The picture after `currentPicture` in its folder; it becomes the
    // current picture, also when the folder has none (the empty path).
    std::string NextPicture(std::string currentPicture);

    Settings m_settings;
    bool m_startMinimised = false;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void AppendAboutToSystemMenu();
    void OnTimer(UINT_PTR id);

    CRegistryKey m_settingsKey;
    CRegistryKey m_logonKey;
    HICON m_icon = nullptr;
    bool m_pendingStartupHide = false;
};
