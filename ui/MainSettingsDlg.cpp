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
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "ui/WindowPlacement.h"

namespace {

// Timer 3 hides a window started at log-on, once, after it has shown briefly.
constexpr UINT_PTR kStartupHideTimer = 3;
constexpr UINT kStartupHideDelay = 50; // ms

// A wallpaper job's "done" reaches the window as this message.
constexpr UINT kWallpaperJobMessage = WM_APP + 17;
// At exit a running conversion gets this long to finish and be shown.
constexpr DWORD kExitWaitForWallpaper = 2000; // ms
// Posted when the interval edit has lost the focus.
constexpr UINT kIntervalEditLeftMessage = WM_APP + 1;

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

std::optional<double> CMainSettingsDlg::EditedInterval() const
{
    char text[32] = {}; // as much as the exchange reads
    GetDlgItemTextA(m_hWnd, IDC_INTERVAL_EDIT, text, sizeof text);
    double interval = 0;
    if (ParseDouble(text, interval) && IsValidInterval(interval))
        return interval;
    return std::nullopt;
}

void CMainSettingsDlg::ExchangeInterval(CDataExchange* dx)
{
    // The schedule and the settings key go on with the last valid interval.
    if (dx->m_bSaveAndValidate && !m_reportBadInterval) {
        if (const std::optional<double> interval = EditedInterval())
            m_settings.ChangeTime = *interval;
        return;
    }
    double interval = m_settings.ChangeTime;
    DDX_Text(dx, IDC_INTERVAL_EDIT, interval);
    DDV_MinMaxDouble(dx, interval, kMinimumInterval, kMaximumInterval);
    if (!dx->Failed())
        m_settings.ChangeTime = interval;
}

BOOL CMainSettingsDlg::ReadControlsReportingBadInterval()
{
    // The message box takes the focus from the edit: that is no leaving.
    m_badIntervalReported = true;
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

void CMainSettingsDlg::ReportBadIntervalOnce()
{
    if (m_badIntervalReported || EditedInterval())
        return;
    ReadControlsReportingBadInterval();
}

void CMainSettingsDlg::OnIntervalEditLeft()
{
    // Only when the focus went to another control of this window: switching
    // to another program is no reason for a message box.
    HWND focus = ::GetFocus();
    if (focus && focus != GetDlgItem(IDC_INTERVAL_EDIT) && ::IsChild(m_hWnd, focus))
        ReportBadIntervalOnce();
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

    m_skin.Attach(*this, m_settings.CurSkinIndex);
    PlaceWhereLeft();

    UpdateData(FALSE);
    if (!m_settings.ShowPic) {
        UpdateControlStates();
        SaveSettings();
    } else {
        EnableStyleRadios(true);
    }
    m_scheduler.OnStartup();

    RefreshTipDetail();
    RegisterTrayIcon();
    RegisterSessionNotification();

    m_pendingStartupHide = m_startMinimised;
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
    const bool iconOptionRead = ::LoadSettings(m_settingsKey, m_settings, GetSystemDefaultLangID());
    m_atHand.Load();
    return iconOptionRead;
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
    RefreshTipDetail();
}

void CMainSettingsDlg::EnableStyleRadios(bool showPic)
{
    const SystemForStyles system = CurrentSystemForStyles();
    for (int style = 0; style < static_cast<int>(std::size(kStyleRadios)); ++style)
        ::EnableWindow(GetDlgItem(kStyleRadios[style]), showPic && CanShowStyle(style, system));
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

void CMainSettingsDlg::PlaceWhereLeft()
{
    std::string stored;
    m_settingsKey.ReadString(kWindowPosValue, stored);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const POINT place = OpeningPosition(stored, {window.right - window.left, window.bottom - window.top});
    SetWindowPos(m_hWnd, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainSettingsDlg::RememberPlace()
{
    // A minimised window's rectangle is the icon's, not the place it opens at.
    RECT window;
    if (!IsIconic(m_hWnd) && ::GetWindowRect(m_hWnd, &window))
        m_settingsKey.WriteString(kWindowPosValue, WindowPosText({window.left, window.top}));
}

BOOL CMainSettingsDlg::DestroyWindow()
{
    RememberPlace();
    // Closed with a text the user never heard was no interval.
    ReportBadIntervalOnce();
    // A change on its way is shown if it comes in time, so the current
    // picture saved below is the one on the desktop.
    m_wallpaper.FinishBeforeExit(kExitWaitForWallpaper);
    m_skin.Release();
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
    case kStartupHideTimer:
        OnStartupHideTimer();
        break;
    }
}

void CMainSettingsDlg::OnStartupHideTimer()
{
    // One tick is all it is for: left running, it would wake the program
    // twenty times a second for nothing.
    KillTimer(kStartupHideTimer);
    if (!m_pendingStartupHide)
        return;
    // Started at log-on: only the notification icon stays.
    m_pendingStartupHide = false;
    ShowWindow(SW_MINIMIZE);
    Hide();
    RunStartupVerb();
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
    if (lp == 0 && (OnMenuCommand(id) || OnAtHandCommand(id)))
        return TRUE;
    if (id == IDC_INTERVAL_EDIT && lp != 0) {
        if (code == EN_CHANGE)
            OnIntervalChanged();
        // The focus is still moving: look where it went once it is there.
        if (code == EN_KILLFOCUS)
            PostMessage(kIntervalEditLeftMessage);
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
    // Ticked by a standard user, the box would do nothing at all: it says
    // so and stays unticked.
    if (m_settings.SetDefaultUser && !CanSetDefaultUserWallpaper()) {
        m_settings.SetDefaultUser = 0;
        CheckDlgButton(m_hWnd, IDC_SET_DEFAULT_USER, BST_UNCHECKED);
        MessageBoxA(m_hWnd, LoadResourceString(IDS_DEFAULT_USER_NEEDS_ADMIN).c_str(),
                    LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
    }
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
    // "0." on the way to "0.5", or "" on the way from "30" to "100", is no
    // mistake yet: until the user is done with the edit such a text is
    // neither used nor reported, and the timer keeps its period.
    m_badIntervalReported = false;
    if (!EditedInterval())
        return;
    UpdateData(TRUE);
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
        const bool chosen = ChoosePicture();
        // Cleared when a picture is shown, or the box goes off again.
        m_tickAwaitsPicture = chosen;
        const bool shown = chosen && m_scheduler.OnPictureChosen();
        if (chosen && !shown)
            ReportNoReadablePicture();
        // The box is never left ticked with nothing shown.
        if (!shown) {
            m_tickAwaitsPicture = false;
            m_settings.ShowPic = 0;
            CheckDlgButton(m_hWnd, IDC_SHOW_PICTURE, BST_UNCHECKED);
        }
    } else {
        m_tickAwaitsPicture = false;
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

bool CMainSettingsDlg::ApplyCurrentPicture()
{
    // A choice that cannot be read is passed over for the next readable
    // picture of its folder, as a scheduled change passes it over. False
    // when the folder has nothing readable, known at once; when that only
    // shows once the conversion is done, NoReadablePicture follows.
    return m_wallpaper.Request(WallpaperRequest::Chosen);
}

void CMainSettingsDlg::ReportNoReadablePicture()
{
    const std::string text =
        LoadResourceString(IDS_NO_READABLE_PICTURE) + "\n" + DirectoryOfPath(m_settings.CurPicFileName);
    MessageBoxA(m_hWnd, text.c_str(), LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONEXCLAMATION);
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
    m_skin.ScheduleRepaint(delay);
}

void CMainSettingsDlg::EnableIntervalEdit(bool enabled)
{
    // Its labels grey out with it, so they never promise an edit that takes nothing.
    for (int id : {IDC_INTERVAL_LABEL, IDC_INTERVAL_EDIT, IDC_MINUTES_LABEL})
        ::EnableWindow(GetDlgItem(id), enabled);
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

std::vector<std::string> CMainSettingsDlg::NextPictures()
{
    return m_atHand.NextPictures();
}

std::vector<std::string> CMainSettingsDlg::PreviousPictures()
{
    return m_atHand.PreviousPictures();
}

void CMainSettingsDlg::MoveToPicture(const std::string& picture, bool back)
{
    m_atHand.Shown(picture, back ? PictureAtHand::Step::Back : PictureAtHand::Step::Forward);
    RefreshTipDetail();
}

void CMainSettingsDlg::WallpaperShown()
{
    m_tickAwaitsPicture = false;
    // The skin is drawn again over the new desktop.
    StartRepaintTimer(kRepaintDelay);
}

void CMainSettingsDlg::NoReadablePicture()
{
    // Ticked for a picture of a folder with nothing readable: the box goes
    // off again, as when that was clear at once. From the Picture button the
    // desktop keeps what it shows.
    if (m_tickAwaitsPicture) {
        m_tickAwaitsPicture = false;
        m_wallpaper.Cancel();
        m_scheduler.OnShowPictureOff();
        m_settings.ShowPic = 0;
        CheckDlgButton(m_hWnd, IDC_SHOW_PICTURE, BST_UNCHECKED);
        UpdateControlStates();
        SaveSettings();
    }
    ReportNoReadablePicture();
}

// ---- Messages

LRESULT CMainSettingsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (LRESULT result = 0; OnAtHandMessage(msg, wp, lp, result) || OnMenusAndTrayMessage(msg, wp, lp, result) ||
                            m_skin.OnMessage(msg, wp, lp, result))
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
    case kIntervalEditLeftMessage:
        OnIntervalEditLeft();
        return 0;
    case WM_WINDOWPOSCHANGED:
        // Also when another copy of the program shows this window, restoring
        // it from minimised (which sends no WM_SHOWWINDOW): the tip follows
        // the window whoever showed or hid it.
        // A window started at log-on shows only until its start-up hide: its
        // tip offers to show it all along.
        if (const UINT flags = reinterpret_cast<const WINDOWPOS*>(lp)->flags; flags & SWP_HIDEWINDOW)
            SetTrayTip(IDS_TIP_CLICK_TO_SHOW);
        else if ((flags & SWP_SHOWWINDOW) && !m_pendingStartupHide)
            SetTrayTip(IDS_TIP_CLICK_TO_HIDE);
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
