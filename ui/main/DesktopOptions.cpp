#include "ui/main/DesktopOptions.h"

#include "engine/DesktopIcons.h"
#include "engine/LogonStart.h"
#include "engine/Wallpaper.h"
#include "framework/Dialog.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"

#include <utility>

CDesktopOptions::CDesktopOptions(CDialog& window, Settings& settings, CRegistryKey& key, std::function<void()> save)
    : m_window(window), m_settings(settings), m_key(key), m_save(std::move(save))
{
}

bool CDesktopOptions::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT&)
{
    // Only the user's clicks: not the notifications the form's own filling
    // of its controls sends.
    if (msg != WM_COMMAND || lp == 0 || HIWORD(wp) != BN_CLICKED || m_window.NotificationsLocked())
        return false;
    switch (LOWORD(wp)) {
    case IDC_AUTO_RUN:
        OnAutoRunClicked();
        return true;
    case IDC_HIDE_DESKTOP_ICONS:
        OnHideDesktopIconsClicked();
        return true;
    case IDC_SET_DEFAULT_USER:
        OnSetDefaultUserClicked();
        return true;
    }
    return false;
}

void CDesktopOptions::OnAutoRunClicked()
{
    m_window.UpdateData(TRUE);
    if (m_settings.AutoRun) {
        m_key.WriteString("AutoRun", "1");
        if (!RegisterLogonStart(m_logonKey, LogonCommandLine())) {
            // No Run key took the entry: the box must not claim the program
            // starts at log-on.
            m_settings.AutoRun = 0;
            m_key.WriteString("AutoRun", "0");
            CheckDlgButton(m_window.m_hWnd, IDC_AUTO_RUN, BST_UNCHECKED);
        }
    } else {
        m_key.WriteString("AutoRun", "0");
        UnregisterLogonStart(m_logonKey);
    }
    m_save();
}

void CDesktopOptions::OnHideDesktopIconsClicked()
{
    m_window.UpdateData(TRUE);
    SetDesktopIconsHidden(m_settings.HideShowDesktopIcon);
    m_save();
}

void CDesktopOptions::OnSetDefaultUserClicked()
{
    m_window.UpdateData(TRUE);
    // Ticked by a standard user, the box would do nothing at all: it says
    // so and stays unticked.
    if (m_settings.SetDefaultUser && !CanSetDefaultUserWallpaper()) {
        m_settings.SetDefaultUser = 0;
        CheckDlgButton(m_window.m_hWnd, IDC_SET_DEFAULT_USER, BST_UNCHECKED);
        MessageBoxA(m_window.m_hWnd, LoadResourceString(IDS_DEFAULT_USER_NEEDS_ADMIN).c_str(),
                    LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
    }
    m_save();
}
