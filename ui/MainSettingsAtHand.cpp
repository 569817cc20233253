// The picture at hand: Next, Previous, the picture's folder, "never show
// this picture", pause and shuffle, from both menus and from the command
// line of another start; the tip's second line; and the schedule's
// catch-up when the computer wakes or the user unlocks the session.
#include "ui/MainSettingsDlg.h"

#include "engine/FullScreenWork.h"
#include "framework/ComApartment.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "resources/resource.h"
#include "ui/tray/TrayIcon.h"

#include <shlobj.h>
#include <wtsapi32.h>

namespace {

// Carries a verb from WM_COPYDATA, which its sender waits on, to a moment
// after the sender has gone.
constexpr UINT kRunVerbMessage = WM_APP + 16;

void EnableItem(HMENU menu, UINT command, bool enabled)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CheckItem(HMENU menu, UINT command, bool checked)
{
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace

bool CMainSettingsDlg::OnAtHandMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COPYDATA:
        if (const auto verb = VerbFromCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp))) {
            PostMessage(kRunVerbMessage, static_cast<WPARAM>(*verb), 0);
            result = TRUE;
            return true;
        }
        return false;
    case kRunVerbMessage:
        if (wp <= static_cast<WPARAM>(AtHandVerb::Exit))
            OnAtHandVerb(static_cast<AtHandVerb>(wp));
        return true;
    case WM_POWERBROADCAST:
        // Sent once after every wake, whether or not someone is there.
        if (wp == PBT_APMRESUMEAUTOMATIC)
            m_scheduler.OnResumeOrUnlock();
        result = TRUE;
        return true;
    case WM_WTSSESSION_CHANGE:
        if (wp == WTS_SESSION_UNLOCK)
            m_scheduler.OnResumeOrUnlock();
        return true;
    case WM_INITMENUPOPUP:
        PrepareAtHandMenu(reinterpret_cast<HMENU>(wp));
        return false;
    case WM_TIMER:
        if (wp != kQuietCheckTimer)
            return false;
        m_scheduler.OnQuietCheckTimer();
        return true;
    case WM_DESTROY:
        UnregisterSessionNotification();
        return false;
    }
    return false;
}

void CMainSettingsDlg::RegisterSessionNotification()
{
    WTSRegisterSessionNotification(m_hWnd, NOTIFY_FOR_THIS_SESSION);
}

void CMainSettingsDlg::UnregisterSessionNotification()
{
    WTSUnRegisterSessionNotification(m_hWnd);
}

void CMainSettingsDlg::RunStartupVerb()
{
    if (m_startupVerb)
        PostMessage(kRunVerbMessage, static_cast<WPARAM>(*m_startupVerb), 0);
    m_startupVerb.reset();
}

void CMainSettingsDlg::OnAtHandVerb(AtHandVerb verb)
{
    switch (verb) {
    case AtHandVerb::Next:
        ChangeByUser(PictureAtHand::Step::Forward);
        break;
    case AtHandVerb::Previous:
        ChangeByUser(PictureAtHand::Step::Back);
        break;
    case AtHandVerb::Pause:
        SetPaused(true);
        break;
    case AtHandVerb::Resume:
        SetPaused(false);
        break;
    case AtHandVerb::Show:
        Show();
        SetForegroundWindow(m_hWnd);
        break;
    case AtHandVerb::Hide:
        Hide();
        break;
    case AtHandVerb::Exit:
        // As the exit command: the settings are saved on the way out.
        EndDialog(IDOK);
        break;
    }
}

bool CMainSettingsDlg::OnAtHandCommand(UINT id)
{
    switch (id) {
    case IDM_NEXT_PICTURE:
        ChangeByUser(PictureAtHand::Step::Forward);
        return true;
    case IDM_PREVIOUS_PICTURE:
        ChangeByUser(PictureAtHand::Step::Back);
        return true;
    case IDM_OPEN_PICTURE_FOLDER:
        OpenPictureFolder();
        return true;
    case IDM_NEVER_SHOW_PICTURE:
        if (m_atHand.ExcludeCurrent())
            ChangeByUser(PictureAtHand::Step::Forward);
        return true;
    case IDM_SHOW_EXCLUDED_AGAIN:
        m_atHand.ShowExcludedAgain();
        return true;
    case IDM_PAUSE_CHANGES:
        SetPaused(!m_settings.Paused);
        return true;
    case IDM_SHUFFLE:
        m_atHand.SetShuffle(!m_settings.Shuffle);
        return true;
    }
    return false;
}

void CMainSettingsDlg::PrepareAtHandMenu(HMENU menu)
{
    // Both menus pass here as they open; commands a menu lacks are not touched.
    const bool showing = m_settings.ShowPic != 0;
    EnableItem(menu, IDM_NEXT_PICTURE, showing);
    EnableItem(menu, IDM_PREVIOUS_PICTURE, showing && !m_atHand.PreviousPictures().empty());
    EnableItem(menu, IDM_OPEN_PICTURE_FOLDER, m_atHand.CurrentPictureExists());
    EnableItem(menu, IDM_NEVER_SHOW_PICTURE, showing && m_atHand.CurrentPictureExists());
    EnableItem(menu, IDM_SHOW_EXCLUDED_AGAIN, m_atHand.HasExcluded());
    CheckItem(menu, IDM_PAUSE_CHANGES, m_settings.Paused);
    CheckItem(menu, IDM_SHUFFLE, m_settings.Shuffle);
}

void CMainSettingsDlg::OnPictureChosenByUser(const std::string& picture)
{
    m_atHand.Chosen(picture);
    RefreshTipDetail();
}

void CMainSettingsDlg::ChangeByUser(PictureAtHand::Step step)
{
    if (!m_settings.ShowPic)
        return;
    const bool forward = step == PictureAtHand::Step::Forward;
    if (!m_wallpaper.Request(forward ? WallpaperRequest::Next : WallpaperRequest::Previous))
        return;
    m_scheduler.OnChangedByUser();
}

void CMainSettingsDlg::OpenPictureFolder()
{
    if (!m_atHand.CurrentPictureExists())
        return;
    const CComApartment apartment;
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHParseDisplayName(Widen(m_settings.CurPicFileName).c_str(), nullptr, &item, 0, nullptr)))
        return;
    // No item list of its own: the folder of `item` opens with it selected.
    SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
    CoTaskMemFree(item);
}

void CMainSettingsDlg::SetPaused(bool paused)
{
    m_atHand.SetPaused(paused);
    RefreshTipDetail();
}

void CMainSettingsDlg::RefreshTipDetail()
{
    if (!m_trayIcon)
        return;
    std::string detail =
        m_settings.ShowPic && m_atHand.CurrentPictureExists() ? FileNamePart(m_settings.CurPicFileName) : "";
    if (m_settings.Paused)
        detail = LoadResourceString(IDS_TIP_PAUSED) + detail;
    m_trayIcon->SetTipDetail(detail);
}

bool CMainSettingsDlg::SomeoneWorksFullScreen()
{
    return ::SomeoneWorksFullScreen();
}

void CMainSettingsDlg::StartQuietCheckTimer()
{
    SetTimer(kQuietCheckTimer, FullScreenCheckPeriod());
}

void CMainSettingsDlg::StopQuietCheckTimer()
{
    KillTimer(kQuietCheckTimer);
}
