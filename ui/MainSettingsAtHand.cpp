// The picture at hand: Next, Previous, the picture's folder, "never show
// this picture", pause and shuffle, from both menus and from the command
// line of another start; the tip's second line; and the schedule's
// catch-up when the computer wakes or the user unlocks the session.
#include "ui/MainSettingsDlg.h"

#include "engine/FullScreenWork.h"
#include "engine/PictureCatalogue.h"
#include "engine/PictureChange.h"
#include "engine/PictureList.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "ui/tray/TrayIcon.h"

#include <shlobj.h>
#include <wtsapi32.h>

namespace {

// Carries a verb from WM_COPYDATA, which its sender waits on, to a moment
// after the sender has gone.
constexpr UINT kRunVerbMessage = WM_APP + 16;

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::wstring Widen(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

void EnableItem(HMENU menu, UINT command, bool enabled)
{
    EnableMenuItem(menu, command, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void CheckItem(HMENU menu, UINT command, bool checked)
{
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace

void CMainSettingsDlg::LoadAtHandSettings()
{
    // Each value on its own: a damaged one starts clean and takes nothing
    // else with it.
    std::string text;
    if (m_settingsKey.ReadString("History", text) == ERROR_SUCCESS)
        m_history.Load(text);
    if (m_settingsKey.ReadString("Excluded", text) == ERROR_SUCCESS)
        m_excluded.Load(text);
    if (m_settingsKey.ReadString("Paused", text) == ERROR_SUCCESS)
        m_settings.Paused = text == "1";
    if (m_settingsKey.ReadString("Shuffle", text) == ERROR_SUCCESS)
        m_settings.Shuffle = text == "1";
    if (m_settingsKey.ReadString("ShuffleRound", text) == ERROR_SUCCESS)
        m_shuffle.Load(text);
}

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
        ShowNextPictureNow();
        break;
    case AtHandVerb::Previous:
        ShowPreviousPictureNow();
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
        ShowNextPictureNow();
        return true;
    case IDM_PREVIOUS_PICTURE:
        ShowPreviousPictureNow();
        return true;
    case IDM_OPEN_PICTURE_FOLDER:
        OpenPictureFolder();
        return true;
    case IDM_NEVER_SHOW_PICTURE:
        NeverShowPicture();
        return true;
    case IDM_SHOW_EXCLUDED_AGAIN:
        ShowExcludedAgain();
        return true;
    case IDM_PAUSE_CHANGES:
        SetPaused(!m_settings.Paused);
        return true;
    case IDM_SHUFFLE:
        SetShuffle(!m_settings.Shuffle);
        return true;
    }
    return false;
}

void CMainSettingsDlg::PrepareAtHandMenu(HMENU menu)
{
    // Both menus pass here as they open; commands a menu lacks are not touched.
    const bool showing = m_settings.ShowPic != 0;
    const std::string& current = m_settings.CurPicFileName;
    EnableItem(menu, IDM_NEXT_PICTURE, showing);
    EnableItem(menu, IDM_PREVIOUS_PICTURE, showing && !m_history.Candidates(current, m_excluded).empty());
    EnableItem(menu, IDM_OPEN_PICTURE_FOLDER, CurrentPictureExists());
    EnableItem(menu, IDM_NEVER_SHOW_PICTURE, showing && CurrentPictureExists());
    EnableItem(menu, IDM_SHOW_EXCLUDED_AGAIN, !m_excluded.Empty());
    CheckItem(menu, IDM_PAUSE_CHANGES, m_settings.Paused);
    CheckItem(menu, IDM_SHUFFLE, m_settings.Shuffle);
}

std::vector<std::string> CMainSettingsDlg::NextPictures()
{
    const std::string& current = m_settings.CurPicFileName;
    std::vector<std::string> pictures = m_excluded.Without(PicturesAfter(current));
    if (!m_settings.Shuffle)
        return pictures;
    return m_shuffle.Upcoming(pictures, current);
}

bool CMainSettingsDlg::ChangePictureNow(const std::vector<std::string>& pictures, PictureStep step)
{
    const auto shown = ShowFirstReadable(pictures, m_settings.SetDefaultUser, m_settings.ShowMode);
    if (!shown)
        return false;
    OnPictureShown(*shown, step);
    return true;
}

void CMainSettingsDlg::OnPictureShown(const std::string& picture, PictureStep step)
{
    const std::string historyBefore = m_history.Text();
    if (step == PictureStep::Back)
        m_history.WentBackTo(picture);
    else if (picture != m_settings.CurPicFileName)
        m_history.Record(m_settings.CurPicFileName);
    WriteListIfChanged("History", historyBefore, m_history.Text());

    if (step == PictureStep::Forward && m_settings.Shuffle) {
        const std::string roundBefore = m_shuffle.Text();
        m_shuffle.Shown(picture);
        WriteListIfChanged("ShuffleRound", roundBefore, m_shuffle.Text());
    }
    m_settings.CurPicFileName = picture;
    RefreshTipDetail();
}

void CMainSettingsDlg::OnPictureChosenByUser(const std::string& picture)
{
    if (picture != m_settings.CurPicFileName) {
        const std::string historyBefore = m_history.Text();
        m_history.Record(m_settings.CurPicFileName);
        WriteListIfChanged("History", historyBefore, m_history.Text());
    }
    // Chosen by name: the user wants to see it after all.
    if (m_excluded.Remove(picture))
        m_settingsKey.WriteString("Excluded", m_excluded.Text());
    m_settings.CurPicFileName = picture;
    RefreshTipDetail();
}

void CMainSettingsDlg::WriteListIfChanged(const char* name, const std::string& before, const std::string& after)
{
    if (after != before)
        m_settingsKey.WriteString(name, after);
}

void CMainSettingsDlg::ShowNextPictureNow()
{
    if (!m_settings.ShowPic)
        return;
    if (ChangePictureNow(NextPictures(), PictureStep::Forward))
        StartRepaintTimer(kRepaintDelay);
    m_scheduler.OnChangedByUser();
}

void CMainSettingsDlg::ShowPreviousPictureNow()
{
    if (!m_settings.ShowPic)
        return;
    if (!ChangePictureNow(m_history.Candidates(m_settings.CurPicFileName, m_excluded), PictureStep::Back))
        return;
    StartRepaintTimer(kRepaintDelay);
    m_scheduler.OnChangedByUser();
}

void CMainSettingsDlg::OpenPictureFolder()
{
    if (!CurrentPictureExists())
        return;
    // The shell's folder window is a COM object; once per thread is enough.
    static const HRESULT com = CoInitialize(nullptr);
    (void)com;
    LPITEMIDLIST item = nullptr;
    if (FAILED(SHParseDisplayName(Widen(m_settings.CurPicFileName).c_str(), nullptr, &item, 0, nullptr)))
        return;
    // No item list of its own: the folder of `item` opens with it selected.
    SHOpenFolderAndSelectItems(item, 0, nullptr, 0);
    CoTaskMemFree(item);
}

void CMainSettingsDlg::NeverShowPicture()
{
    if (!CurrentPictureExists())
        return;
    m_excluded.Add(m_settings.CurPicFileName);
    m_settingsKey.WriteString("Excluded", m_excluded.Text());
    ShowNextPictureNow();
}

void CMainSettingsDlg::ShowExcludedAgain()
{
    if (m_excluded.Empty())
        return;
    m_excluded.Clear();
    m_settingsKey.WriteString("Excluded", "");
}

void CMainSettingsDlg::SetPaused(bool paused)
{
    m_settings.Paused = paused;
    m_settingsKey.WriteString("Paused", paused ? "1" : "0");
    RefreshTipDetail();
}

void CMainSettingsDlg::SetShuffle(bool shuffle)
{
    m_settings.Shuffle = shuffle;
    m_settingsKey.WriteString("Shuffle", shuffle ? "1" : "0");
    // Turned on, a new round starts at the next change.
    const std::string roundBefore = m_shuffle.Text();
    m_shuffle.Clear();
    WriteListIfChanged("ShuffleRound", roundBefore, "");
}

bool CMainSettingsDlg::CurrentPictureExists() const
{
    return PictureFileExists(m_settings.CurPicFileName);
}

void CMainSettingsDlg::RefreshTipDetail()
{
    if (!m_trayIcon)
        return;
    std::string detail = m_settings.ShowPic && CurrentPictureExists() ? FileNameOf(m_settings.CurPicFileName) : "";
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
