#include "ui/MainSettingsDlg.h"

#include "engine/PictureCatalogue.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"

namespace {

// Window timers of the main window.
constexpr UINT_PTR kStartupHideTimer = 3;
constexpr UINT kStartupHideDelay = 50; // ms: the window shows briefly first

// The range the interval edit accepts, in minutes (about one second to
// about 190 years).
constexpr double kMinimumInterval = 0.0167;
constexpr double kMaximumInterval = 99999999.999;

} // namespace

CMainSettingsDlg::CMainSettingsDlg(CWnd* parent) : CDialog(IDD_MAIN_SETTINGS, parent)
{
    m_icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

void CMainSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_HIDE_DESKTOP_ICONS, m_settings.HideShowDesktopIcon);
    DDX_Check(dx, IDC_AUTO_RUN, m_settings.AutoRun);
    DDX_Check(dx, IDC_SHOW_PICTURE, m_settings.ShowPic);
    DDX_Check(dx, IDC_SET_DEFAULT_USER, m_settings.SetDefaultUser);
    DDX_Radio(dx, IDC_STYLE_CENTRE, m_settings.ShowMode);
    DDX_Radio(dx, IDC_CHANGE_NEVER, m_settings.ChangeMode);
    DDX_Text(dx, IDC_INTERVAL_EDIT, m_settings.ChangeTime);
    DDV_MinMaxDouble(dx, m_settings.ChangeTime, kMinimumInterval, kMaximumInterval);
}

void CMainSettingsDlg::AppendAboutToSystemMenu()
{
    const std::string aboutText = LoadResourceString(IDS_ABOUT_MENU_ITEM);
    HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE);
    if (aboutText.empty() || !systemMenu)
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_SYSTEM_ABOUT, aboutText.c_str());
}

BOOL CMainSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    AppendAboutToSystemMenu();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));

    LoadSettings();
    UpdateData(FALSE);

    m_pendingStartupHide = true;
    SetTimer(kStartupHideTimer, kStartupHideDelay);
    UpdateData(FALSE);
    return TRUE;
}

bool CMainSettingsDlg::LoadSettings()
{
    return ::LoadSettings(m_settingsKey, m_settings, GetSystemDefaultLangID());
}

void CMainSettingsDlg::SaveSettings()
{
    UpdateData(TRUE);
    ::SaveSettings(m_settingsKey, m_settings);
}

std::string CMainSettingsDlg::NextPicture(std::string currentPicture)
{
    m_settings.CurPicFileName = FindNextPicture(currentPicture);
    return m_settings.CurPicFileName;
}

BOOL CMainSettingsDlg::DestroyWindow()
{
    SaveSettings();
    return CDialog::DestroyWindow();
}

void CMainSettingsDlg::OnTimer(UINT_PTR id)
{
    if (id != kStartupHideTimer || !m_pendingStartupHide || !m_startMinimised)
        return;
    // Started at log-on: only the notification icon stays.
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
    m_pendingStartupHide = false;
    KillTimer(kStartupHideTimer);
}

LRESULT CMainSettingsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        OnTimer(wp);
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    }
    return CDialog::WindowProc(msg, wp, lp);
}
