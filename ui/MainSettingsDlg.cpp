#include "ui/MainSettingsDlg.h"

#include "engine/DesktopIcons.h"
#include "engine/DesktopWallpaperState.h"
#include "engine/StyleAvailability.h"
#include "engine/Wallpaper.h"
#include "engine/WallpaperBitmap.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "ui/main/WindowPlacement.h"

namespace {

// At exit a running conversion is told to stop; this long at most is waited
// for it (it stops within milliseconds), the window's messages handled meanwhile.
constexpr DWORD kExitWaitForWallpaper = 2000; // ms

// The controls that only mean something while a picture is shown.
constexpr int kChangeModeRadios[] = {IDC_CHANGE_NEVER, IDC_CHANGE_EACH_START, IDC_CHANGE_DAILY, IDC_CHANGE_BY_INTERVAL};
// The skin's buttons, after the Picture button (kSelectPictureButton).
constexpr int kShowDesktopButton = 1;
constexpr int kHideButton = 2;
constexpr int kHelpButton = 3;
constexpr int kAboutButton = 4;
constexpr int kExitButton = 5;
// The taskbar shows the desktop on this hot key.
constexpr WPARAM kShowDesktopHotKey = 501;

// In ShowMode order.
constexpr int kStyleRadios[] = {IDC_STYLE_CENTRE, IDC_STYLE_TILE, IDC_STYLE_STRETCH,
                                IDC_STYLE_FIT,    IDC_STYLE_FILL, IDC_STYLE_SPAN};

} // namespace

CMainSettingsDlg::CMainSettingsDlg(CWnd* parent) : CDialog(IDD_MAIN_SETTINGS, parent) {}

void CMainSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Check(dx, IDC_HIDE_DESKTOP_ICONS, m_settings.HideShowDesktopIcon);
    DDX_Check(dx, IDC_AUTO_RUN, m_settings.AutoRun);
    DDX_Check(dx, IDC_SHOW_PICTURE, m_settings.ShowPic);
    DDX_Check(dx, IDC_SET_DEFAULT_USER, m_settings.SetDefaultUser);
    DDX_Radio(dx, IDC_STYLE_CENTRE, m_settings.ShowMode);
    DDX_Radio(dx, IDC_CHANGE_NEVER, m_settings.ChangeMode);
    m_intervalEdit.Exchange(dx);
}

void CMainSettingsDlg::OnOK()
{
    // Enter ends the program only with a valid interval, and says why not.
    if (m_intervalEdit.ReadControlsReportingBadInterval())
        EndDialog(IDOK);
}

BOOL CMainSettingsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_schedule.Attach(m_hWnd);
    // A conversion the last run never finished left its temporary file.
    RemoveAbandonedBitmapFiles();

    // The desktop's own values come first: the style and on/off state the
    // desktop really has win over the copies in the settings key.
    ReadDesktopWallpaperSettings();
    if (LoadSettings())
        SetDesktopIconsHidden(m_settings.HideShowDesktopIcon);

    m_skin.Attach(*this, m_settings.CurSkinIndex);
    PlaceWhereLeft(m_hWnd, m_settingsKey);

    UpdateData(FALSE);
    if (!m_settings.ShowPic) {
        UpdateControlStates();
        SaveSettings();
    } else {
        EnableStyleRadios(true);
    }
    m_schedule.Scheduler().OnStartup();

    m_atHandCommands.Attach(m_hWnd, m_trayIcon);
    m_atHandCommands.RefreshTipDetail();
    m_iconAndMenus.Attach(*this, m_trayIcon, m_startMinimised);
    m_sessionEvents.Attach(m_hWnd);
    m_keeping.Attach(m_hWnd);
    m_startupHide.Start(m_hWnd, m_startMinimised);
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
    m_skin.EnableButton(kSelectPictureButton, showPic);
    for (int id : kChangeModeRadios)
        ::EnableWindow(GetDlgItem(id), showPic);
    EnableIntervalEdit(showPic && m_settings.ChangeMode == ChangeInterval);
    EnableStyleRadios(showPic);
    m_atHandCommands.RefreshTipDetail();
}

void CMainSettingsDlg::EnableStyleRadios(bool showPic)
{
    const SystemForStyles system = CurrentSystemForStyles();
    for (int style = 0; style < static_cast<int>(std::size(kStyleRadios)); ++style)
        ::EnableWindow(GetDlgItem(kStyleRadios[style]), showPic && CanShowStyle(style, system));
}

void CMainSettingsDlg::HideAtStartup()
{
    // Started at log-on: only the notification icon stays.
    ShowWindow(SW_MINIMIZE);
    m_iconAndMenus.Hide();
    m_atHandCommands.RunStartupVerb(m_startupVerb);
    m_startupVerb.reset();
}

void CMainSettingsDlg::SaveBeforeSessionEnds()
{
    RememberPlace(m_hWnd, m_settingsKey);
    m_schedule.Changer().FinishBeforeExit(kExitWaitForWallpaper);
    SaveSettings();
}

BOOL CMainSettingsDlg::DestroyWindow()
{
    RememberPlace(m_hWnd, m_settingsKey);
    m_intervalEdit.ReportBadIntervalOnce();
    // A change on its way is stopped; one finished before the stop is
    // shown, so the current picture saved below is the one on the desktop.
    m_schedule.Changer().FinishBeforeExit(kExitWaitForWallpaper);
    m_skin.Release();
    SaveSettings();
    if (m_settings.ShowPic)
        m_schedule.StopChangeTimer();
    return CDialog::DestroyWindow();
}

BOOL CMainSettingsDlg::PreTranslateMessage(MSG* msg)
{
    m_skin.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CMainSettingsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (OfferToParts({&m_keeping, &m_schedule, &m_startupHide, &m_iconAndMenus, &m_atHandCommands, &m_sessionEvents,
                      &m_intervalEdit, &m_desktopOptions, &m_skin},
                     msg, wp, lp, result))
        return result;
    return CDialog::WindowProc(msg, wp, lp);
}

// ---- The form's controls

BOOL CMainSettingsDlg::OnCommand(WPARAM wp, LPARAM lp)
{
    // Notifications sent while the window fills its own controls are not
    // the user's doing.
    if (lp != 0 && NotificationsLocked())
        return TRUE;
    if (HIWORD(wp) != BN_CLICKED)
        return CDialog::OnCommand(wp, lp);
    switch (LOWORD(wp)) {
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

void CMainSettingsDlg::OnChangeModeClicked(int mode)
{
    UpdateData(TRUE);
    m_schedule.Scheduler().OnModeChosen(mode);
    SaveSettings();
}

void CMainSettingsDlg::OnIntervalEdited()
{
    UpdateData(TRUE);
    m_schedule.Scheduler().OnIntervalEdited();
    SaveSettings();
}

void CMainSettingsDlg::OnStyleClicked()
{
    UpdateData(TRUE);
    m_schedule.Changer().Request(WallpaperRequest::Current);
    ScheduleRepaint(kRepaintDelay);
    SaveSettings();
}

void CMainSettingsDlg::OnFullColourChosen()
{
    UpdateData(TRUE);
    m_settings.FullColour = m_settings.FullColour ? 0 : 1;
    // Its own writer: a key that never had it is saved as it always was.
    m_settingsKey.WriteString("FullColour", m_settings.FullColour ? "1" : "0");
    if (m_settings.ShowPic)
        m_schedule.Changer().Request(WallpaperRequest::Current);
    SaveSettings();
}

void CMainSettingsDlg::OnSubfoldersChosen()
{
    m_pictureChoice.ToggleSubfolders();
}

void CMainSettingsDlg::OnPictureSourcesChanged()
{
    // The next change takes its pictures from the new sources; the
    // wallpaper shown stays until then.
    m_atHandCommands.RefreshTipDetail();
}

void CMainSettingsDlg::OnShowPictureClicked()
{
    UpdateData(TRUE);
    if (m_settings.ShowPic) {
        // The box is never left ticked with nothing shown.
        if (!m_pictureChoice.OnShowPictureTicked()) {
            m_settings.ShowPic = 0;
            CheckDlgButton(m_hWnd, IDC_SHOW_PICTURE, BST_UNCHECKED);
        }
    } else {
        m_pictureChoice.OnShowPictureUnticked();
        m_schedule.Changer().Cancel();
        RemoveWallpaper(m_settings.SetDefaultUser);
        m_schedule.Scheduler().OnShowPictureOff();
    }
    UpdateControlStates();
    ScheduleRepaint(kRepaintDelay);
    UpdateData(FALSE);
    SaveSettings();
}

void CMainSettingsDlg::ShowPictureOff()
{
    m_settings.ShowPic = 0;
    CheckDlgButton(m_hWnd, IDC_SHOW_PICTURE, BST_UNCHECKED);
    UpdateControlStates();
    SaveSettings();
}

void CMainSettingsDlg::OnSkinButtonClick(int index)
{
    switch (index) {
    case kSelectPictureButton:
        m_pictureChoice.OnSelectPictureButton();
        ScheduleRepaint(kRepaintDelay);
        break;
    case kShowDesktopButton:
        if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
            ::SendMessageA(taskbar, WM_HOTKEY, kShowDesktopHotKey, 0);
        break;
    case kHideButton:
        m_iconAndMenus.Hide();
        break;
    case kHelpButton:
        // The same commands as the context menu's help and About items.
        SendMessage(WM_COMMAND, IDM_HELP, 0);
        break;
    case kAboutButton:
        SendMessage(WM_COMMAND, IDM_ABOUT, 0);
        break;
    case kExitButton:
        // Ends at once, without reading the controls.
        EndDialog(IDOK);
        break;
    }
}

// ---- What the wallpaper's schedule asks of the form

void CMainSettingsDlg::EnableIntervalEdit(bool enabled)
{
    // Its labels grey out with it, so they never promise an edit that takes nothing.
    for (int id : {IDC_INTERVAL_LABEL, IDC_INTERVAL_EDIT, IDC_MINUTES_LABEL})
        ::EnableWindow(GetDlgItem(id), enabled);
}

void CMainSettingsDlg::ScheduleRepaint(UINT delay)
{
    m_skin.ScheduleRepaint(delay);
}

void CMainSettingsDlg::CurrentPictureMoved()
{
    m_atHandCommands.RefreshTipDetail();
}

void CMainSettingsDlg::WallpaperShown()
{
    m_pictureChoice.WallpaperShown();
    // The skin is drawn again over the new desktop.
    ScheduleRepaint(kRepaintDelay);
}

void CMainSettingsDlg::NoReadablePicture()
{
    m_pictureChoice.NoReadablePicture();
}
