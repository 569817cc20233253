#include "ui/MainSettingsDlg.h"

#include "engine/ChangeInterval.h"
#include "engine/DesktopIcons.h"
#include "engine/DesktopWallpaperState.h"
#include "engine/LogonStart.h"
#include "engine/StyleAvailability.h"
#include "engine/TodayText.h"
#include "engine/Wallpaper.h"
#include "engine/WallpaperBitmap.h"
#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"

namespace {

// Timer 3 hides a window started at log-on, once, after it has shown briefly.
constexpr UINT_PTR kStartupHideTimer = 3;
constexpr UINT kStartupHideDelay = 50; // ms

// A wallpaper job's "done" reaches the window as this message.
constexpr UINT kWallpaperJobMessage = WM_APP + 17;
// At exit a running conversion gets this long to finish and be shown.
constexpr DWORD kExitWaitForWallpaper = 2000; // ms

// The controls that repaint over the skin background.
constexpr int kRepaintedControls[] = {
    IDC_STATIC,
    IDC_CHANGE_GROUP,
    IDC_DISPLAY_GROUP,
    IDC_MINUTES_LABEL,
    IDC_INTERVAL_LABEL,
    IDC_SHOW_PICTURE,
    IDC_AUTO_RUN,
    IDC_HIDE_DESKTOP_ICONS,
    IDC_SET_DEFAULT_USER,
    IDC_CHANGE_NEVER,
    IDC_CHANGE_EACH_START,
    IDC_CHANGE_DAILY,
    IDC_CHANGE_BY_INTERVAL,
    IDC_STYLE_TILE,
    IDC_STYLE_CENTRE,
    IDC_STYLE_STRETCH,
    IDC_STYLE_FIT,
    IDC_STYLE_FILL,
    IDC_STYLE_SPAN,
    IDC_INTERVAL_EDIT,
};

// The controls that only mean something while a picture is shown.
constexpr int kChangeModeRadios[] = {IDC_CHANGE_NEVER, IDC_CHANGE_EACH_START, IDC_CHANGE_DAILY, IDC_CHANGE_BY_INTERVAL};
// In ShowMode order.
constexpr int kStyleRadios[] = {IDC_STYLE_CENTRE, IDC_STYLE_TILE, IDC_STYLE_STRETCH,
                                IDC_STYLE_FIT,    IDC_STYLE_FILL, IDC_STYLE_SPAN};

} // namespace

CMainSettingsDlg::CMainSettingsDlg(CWnd* parent)
    : CDialog(IDD_MAIN_SETTINGS, parent), m_scheduler(m_settings, *this, GetTodayText),
      m_wallpaper(*this, kWallpaperJobMessage)
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
    ExchangeInterval(dx);
}

void CMainSettingsDlg::ExchangeInterval(CDataExchange* dx)
{
    // The schedule and the settings key go on with the last valid interval.
    double interval = m_settings.ChangeTime;
    if (dx->m_bSaveAndValidate && !m_reportBadInterval) {
        char text[32] = {}; // as much as the exchange reads
        GetDlgItemTextA(m_hWnd, IDC_INTERVAL_EDIT, text, sizeof text);
        if (ParseDouble(text, interval) && IsValidInterval(interval))
            m_settings.ChangeTime = interval;
        return;
    }
    DDX_Text(dx, IDC_INTERVAL_EDIT, interval);
    DDV_MinMaxDouble(dx, interval, kMinimumInterval, kMaximumInterval);
    if (!dx->Failed())
        m_settings.ChangeTime = interval;
}

BOOL CMainSettingsDlg::ReadControlsReportingBadInterval()
{
    m_reportBadInterval = true;
    const BOOL valid = UpdateData(TRUE);
    m_reportBadInterval = false;
    return valid;
}

void CMainSettingsDlg::OnOK()
{
    // Enter ends the program only with a valid interval, and says why not.
    if (ReadControlsReportingBadInterval())
        EndDialog(IDOK);
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

    m_wallpaper.SetWindow(m_hWnd);
    // A conversion the last run never finished left its temporary file.
    RemoveAbandonedBitmapFiles();

    // The desktop's own values come first: the style and on/off state the
    // desktop really has win over the copies in the settings key.
    ReadDesktopWallpaperSettings();
    if (LoadSettings())
        SetDesktopIconsHidden(m_settings.HideShowDesktopIcon);

    InitialiseSkin();

    UpdateData(FALSE);
    if (!m_settings.ShowPic)
        UpdateControlStates();
    else
        EnableStyleRadios(true);
    m_scheduler.OnStartup();

    RegisterTrayIcon();

    m_pendingStartupHide = true;
    SetTimer(kStartupHideTimer, kStartupHideDelay);
    UpdateData(FALSE);
    return TRUE;
}

void CMainSettingsDlg::ReadDesktopWallpaperSettings()
{
    const DesktopWallpaperState desktop = ReadDesktopWallpaperState();
    if (desktop.ShowPic)
        m_settings.ShowPic = *desktop.ShowPic;
    if (desktop.ShowMode)
        m_settings.ShowMode = ShowableStyle(*desktop.ShowMode, CurrentSystemForStyles());
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

void CMainSettingsDlg::UpdateControlStates()
{
    const bool showPic = m_settings.ShowPic != 0;
    EnableSelectPictureButton(showPic);
    for (int id : kChangeModeRadios)
        ::EnableWindow(GetDlgItem(id), showPic);
    EnableIntervalEdit(showPic && m_settings.ChangeMode == ChangeInterval);
    EnableStyleRadios(showPic);
    SaveSettings();
}

void CMainSettingsDlg::EnableStyleRadios(bool showPic)
{
    const SystemForStyles system = CurrentSystemForStyles();
    for (int style = 0; style < static_cast<int>(std::size(kStyleRadios)); ++style)
        ::EnableWindow(GetDlgItem(kStyleRadios[style]), showPic && CanShowStyle(style, system));
}

void CMainSettingsDlg::InvalidateControls()
{
    for (int id : kRepaintedControls)
        InvalidateRect(GetDlgItem(id), nullptr, TRUE);
}

void CMainSettingsDlg::Hide()
{
    ShowWindow(SW_HIDE);
    SetTrayTip(IDS_TIP_CLICK_TO_SHOW);
}

void CMainSettingsDlg::Show()
{
    ShowWindow(SW_SHOWNORMAL);
    SetTrayTip(IDS_TIP_CLICK_TO_HIDE);
}

BOOL CMainSettingsDlg::DestroyWindow()
{
    // A change on its way is shown if it comes in time, so the current
    // picture saved below is the one on the desktop.
    m_wallpaper.FinishBeforeExit(kExitWaitForWallpaper);
    ReleaseSkin();
    SaveSettings();
    if (m_settings.ShowPic)
        StopChangeTimer();
    return CDialog::DestroyWindow();
}

// ---- Timers

void CMainSettingsDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kChangeTimer:
        m_scheduler.OnChangeTimer();
        break;
    case kRepaintTimer:
        OnRepaintTimer();
        break;
    case kStartupHideTimer:
        OnStartupHideTimer();
        break;
    }
}

void CMainSettingsDlg::OnRepaintTimer()
{
    KillTimer(kRepaintTimer);
    DrawBackground();
    DrawSkinButtonsNormal();
    InvalidateControls();
}

void CMainSettingsDlg::OnStartupHideTimer()
{
    // One tick is all it is for: left running, it would wake the program
    // twenty times a second for nothing.
    KillTimer(kStartupHideTimer);
    if (!m_pendingStartupHide || !m_startMinimised)
        return;
    // Started at log-on: only the notification icon stays.
    ShowWindow(SW_MINIMIZE);
    Hide();
    m_pendingStartupHide = false;
}

bool CMainSettingsDlg::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) == IDM_SYSTEM_ABOUT) {
        ShowAboutBox();
        return true;
    }
    if ((command & 0xFFF0) != SC_MINIMIZE)
        return false;
    // The window goes to the notification area, never to the taskbar.
    Hide();
    return true;
}

// ---- Commands

BOOL CMainSettingsDlg::OnCommand(WPARAM wp, LPARAM lp)
{
    const UINT id = LOWORD(wp);
    const UINT code = HIWORD(wp);
    // Notifications sent while the window fills its own controls are not
    // the user's doing.
    if (lp != 0 && NotificationsLocked())
        return TRUE;
    if (lp == 0 && OnMenuCommand(id))
        return TRUE;
    if (id == IDC_INTERVAL_EDIT && lp != 0) {
        if (code == EN_CHANGE)
            OnIntervalChanged();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CDialog::OnCommand(wp, lp);

    switch (id) {
    case IDM_SHOW_WINDOW:
        Show();
        return TRUE;
    case IDM_HIDE_WINDOW:
        Hide();
        return TRUE;
    case IDC_AUTO_RUN:
        OnAutoRunClicked();
        return TRUE;
    case IDC_HIDE_DESKTOP_ICONS:
        OnHideDesktopIconsClicked();
        return TRUE;
    case IDC_SET_DEFAULT_USER:
        OnSetDefaultUserClicked();
        return TRUE;
    case IDC_CHANGE_NEVER:
        OnChangeModeClicked(ChangeNever);
        return TRUE;
    case IDC_CHANGE_EACH_START:
        OnChangeModeClicked(ChangeEachStart);
        return TRUE;
    case IDC_CHANGE_DAILY:
        OnChangeModeClicked(ChangeDaily);
        return TRUE;
    case IDC_CHANGE_BY_INTERVAL:
        OnChangeModeClicked(ChangeInterval);
        return TRUE;
    case IDC_STYLE_TILE:
    case IDC_STYLE_CENTRE:
    case IDC_STYLE_STRETCH:
    case IDC_STYLE_FIT:
    case IDC_STYLE_FILL:
    case IDC_STYLE_SPAN:
        OnStyleClicked();
        return TRUE;
    case IDC_SHOW_PICTURE:
        OnShowPictureClicked();
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}

void CMainSettingsDlg::OnAutoRunClicked()
{
    UpdateData(TRUE);
    if (m_settings.AutoRun) {
        m_settingsKey.WriteString("AutoRun", "1");
        if (!RegisterLogonStart(m_logonKey, LogonCommandLine())) {
            // Neither Run key took the entry: the box must not claim the
            // program starts at log-on.
            m_settings.AutoRun = 0;
            m_settingsKey.WriteString("AutoRun", "0");
            CheckDlgButton(m_hWnd, IDC_AUTO_RUN, BST_UNCHECKED);
        }
    } else {
        m_settingsKey.WriteString("AutoRun", "0");
        UnregisterLogonStart(m_logonKey);
    }
    SaveSettings();
}

void CMainSettingsDlg::OnHideDesktopIconsClicked()
{
    UpdateData(TRUE);
    SetDesktopIconsHidden(m_settings.HideShowDesktopIcon);
    SaveSettings();
}

void CMainSettingsDlg::OnSetDefaultUserClicked()
{
    UpdateData(TRUE);
    SaveSettings();
}

void CMainSettingsDlg::OnChangeModeClicked(int mode)
{
    UpdateData(TRUE);
    m_scheduler.OnModeChosen(mode);
    SaveSettings();
}

void CMainSettingsDlg::OnIntervalChanged()
{
    // A bad text shows its message, once; the timer keeps its period.
    if (ReadControlsReportingBadInterval())
        m_scheduler.OnIntervalEdited();
    SaveSettings();
}

void CMainSettingsDlg::OnStyleClicked()
{
    UpdateData(TRUE);
    m_wallpaper.Request(WallpaperRequest::Current);
    StartRepaintTimer(kRepaintDelay);
    SaveSettings();
}

void CMainSettingsDlg::OnFullColourChosen()
{
    UpdateData(TRUE);
    m_settings.FullColour = m_settings.FullColour ? 0 : 1;
    // Its own writer: a key that never had it is saved as it always was.
    m_settingsKey.WriteString("FullColour", m_settings.FullColour ? "1" : "0");
    if (m_settings.ShowPic)
        m_wallpaper.Request(WallpaperRequest::Current);
    SaveSettings();
}

void CMainSettingsDlg::OnShowPictureClicked()
{
    UpdateData(TRUE);
    if (m_settings.ShowPic) {
        if (ChoosePicture()) {
            m_scheduler.OnPictureChosen();
        } else {
            m_settings.ShowPic = 0;
            CheckDlgButton(m_hWnd, IDC_SHOW_PICTURE, BST_UNCHECKED);
        }
    } else {
        m_wallpaper.Cancel();
        RemoveWallpaper(m_settings.SetDefaultUser);
        m_scheduler.OnShowPictureOff();
    }
    UpdateControlStates();
    StartRepaintTimer(kRepaintDelay);
    UpdateData(FALSE);
    SaveSettings();
}

// ---- What the scheduler asks of the window

void CMainSettingsDlg::ChangeToNextPicture()
{
    // A folder with nothing to show (a drive unplugged for a while) keeps
    // the current picture, so the sequence goes on from it once it is back.
    m_wallpaper.Request(WallpaperRequest::Next);
}

void CMainSettingsDlg::ApplyCurrentPicture()
{
    m_wallpaper.Request(WallpaperRequest::Current);
}

void CMainSettingsDlg::StartChangeTimer(UINT period)
{
    SetTimer(kChangeTimer, period);
}

void CMainSettingsDlg::StopChangeTimer()
{
    KillTimer(kChangeTimer);
}

void CMainSettingsDlg::StartRepaintTimer(UINT delay)
{
    SetTimer(kRepaintTimer, delay);
}

void CMainSettingsDlg::EnableIntervalEdit(bool enabled)
{
    ::EnableWindow(GetDlgItem(IDC_INTERVAL_EDIT), enabled);
}

void CMainSettingsDlg::WriteToday(const std::string& today)
{
    m_settingsKey.WriteString("Today", today);
}

void CMainSettingsDlg::WriteChangeMode(int mode)
{
    m_settingsKey.WriteString("ChangeMode", std::to_string(mode));
}

// ---- What the wallpaper changer asks of the window

std::string CMainSettingsDlg::CurrentPicture() const
{
    return m_settings.CurPicFileName;
}

WallpaperOptions CMainSettingsDlg::CurrentWallpaperOptions() const
{
    return {m_settings.SetDefaultUser, m_settings.ShowMode, m_settings.FullColour != 0};
}

void CMainSettingsDlg::MoveToPicture(const std::string& picture)
{
    m_settings.CurPicFileName = picture;
}

void CMainSettingsDlg::WallpaperShown()
{
    // The skin is drawn again over the new desktop.
    StartRepaintTimer(kRepaintDelay);
}

// ---- Messages

LRESULT CMainSettingsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (LRESULT result = 0; OnMenusAndTrayMessage(msg, wp, lp, result) || OnSkinMessage(msg, wp, lp, result))
        return result;
    switch (msg) {
    case kWallpaperJobMessage:
        m_wallpaper.OnJobFinished();
        return 0;
    case WM_TIMER:
        OnTimer(wp);
        break;
    case WM_SYSCOMMAND:
        if (OnSysCommand(wp))
            return 0;
        break;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_icon);
    case WM_WINDOWPOSCHANGED:
        // Also when another copy of the program shows this window, restoring
        // it from minimised (which sends no WM_SHOWWINDOW): the tip follows
        // the window whoever showed or hid it.
        if (const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags; flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            SetTrayTip(flags & SWP_SHOWWINDOW ? IDS_TIP_CLICK_TO_HIDE : IDS_TIP_CLICK_TO_SHOW);
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
