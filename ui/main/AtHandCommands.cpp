#include "ui/main/AtHandCommands.h"

#include "framework/ComApartment.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "image/MissingDecoders.h"
#include "resources/resource.h"
#include "ui/main/IconAndMenus.h"
#include "ui/main/WallpaperSchedule.h"
#include "ui/tray/TrayIcon.h"

#include <shlobj.h>

#include <utility>

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

CAtHandCommands::CAtHandCommands(Settings& settings, PictureAtHand& atHand, CWallpaperSchedule& schedule,
                                 CIconAndMenus& iconAndMenus, std::function<void()> exit)
    : m_settings(settings), m_atHand(atHand), m_schedule(schedule), m_iconAndMenus(iconAndMenus),
      m_exit(std::move(exit))
{
}

void CAtHandCommands::Attach(HWND window, CTrayIcon* trayIcon)
{
    m_window = window;
    m_trayIcon = trayIcon;
}

bool CAtHandCommands::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COPYDATA:
        if (const auto verb = VerbFromCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp))) {
            PostMessageA(m_window, kRunVerbMessage, static_cast<WPARAM>(*verb), 0);
            result = TRUE;
            return true;
        }
        return false;
    case kRunVerbMessage:
        if (wp <= static_cast<WPARAM>(AtHandVerb::Exit))
            OnVerb(static_cast<AtHandVerb>(wp));
        return true;
    case WM_COMMAND:
        return lp == 0 && OnCommand(LOWORD(wp));
    case WM_INITMENUPOPUP:
        PrepareMenu(reinterpret_cast<HMENU>(wp));
        return false;
    }
    return false;
}

void CAtHandCommands::RunStartupVerb(std::optional<AtHandVerb> verb)
{
    if (verb)
        PostMessageA(m_window, kRunVerbMessage, static_cast<WPARAM>(*verb), 0);
}

void CAtHandCommands::OnVerb(AtHandVerb verb)
{
    switch (verb) {
    case AtHandVerb::Next:
        m_schedule.ChangeByUser(PictureAtHand::Step::Forward);
        break;
    case AtHandVerb::Previous:
        m_schedule.ChangeByUser(PictureAtHand::Step::Back);
        break;
    case AtHandVerb::Pause:
        SetPaused(true);
        break;
    case AtHandVerb::Resume:
        SetPaused(false);
        break;
    case AtHandVerb::Show:
        m_iconAndMenus.Show();
        SetForegroundWindow(m_window);
        break;
    case AtHandVerb::Hide:
        m_iconAndMenus.Hide();
        break;
    case AtHandVerb::Exit:
        m_exit();
        break;
    }
}

bool CAtHandCommands::OnCommand(UINT id)
{
    switch (id) {
    case IDM_NEXT_PICTURE:
        m_schedule.ChangeByUser(PictureAtHand::Step::Forward);
        return true;
    case IDM_PREVIOUS_PICTURE:
        m_schedule.ChangeByUser(PictureAtHand::Step::Back);
        return true;
    case IDM_OPEN_PICTURE_FOLDER:
        OpenPictureFolder();
        return true;
    case IDM_NEVER_SHOW_PICTURE:
        if (m_atHand.ExcludeCurrent())
            m_schedule.ChangeByUser(PictureAtHand::Step::Forward);
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

void CAtHandCommands::PrepareMenu(HMENU menu)
{
    // Commands a menu lacks are not touched.
    const bool showing = m_settings.ShowPic != 0;
    const bool exists = m_atHand.CurrentPictureExists();
    EnableItem(menu, IDM_NEXT_PICTURE, showing);
    EnableItem(menu, IDM_PREVIOUS_PICTURE, showing && !m_atHand.PreviousPictures().empty());
    EnableItem(menu, IDM_OPEN_PICTURE_FOLDER, exists);
    EnableItem(menu, IDM_NEVER_SHOW_PICTURE, showing && exists);
    EnableItem(menu, IDM_SHOW_EXCLUDED_AGAIN, m_atHand.HasExcluded());
    CheckItem(menu, IDM_PAUSE_CHANGES, m_settings.Paused);
    CheckItem(menu, IDM_SHUFFLE, m_settings.Shuffle);
}

void CAtHandCommands::Chosen(const std::string& picture)
{
    m_atHand.Chosen(picture);
    RefreshTipDetail();
}

void CAtHandCommands::OpenPictureFolder()
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

void CAtHandCommands::SetPaused(bool paused)
{
    m_atHand.SetPaused(paused);
    RefreshTipDetail();
}

void CAtHandCommands::RefreshTipDetail()
{
    if (!m_trayIcon)
        return;
    const std::string& current = m_settings.CurPicFileName;
    std::string detail;
    if (m_settings.ShowPic && m_atHand.CurrentPictureExists())
        detail = FileNamePart(current);
    else if (m_settings.ShowPic && m_atHand.CurrentFolderGone())
        // Renamed, deleted or on a drive that went away: the tip must not
        // name a picture that is not there.
        detail = LoadResourceString(IDS_TIP_FOLDER_GONE) + DirectoryOfPath(current);
    // The desktop shows something else: naming our picture would mislead.
    if (const std::string note = m_tipNote ? m_tipNote() : std::string(); !note.empty())
        detail = note;
    // A format found without a decoder is named once a run, in a balloon
    // and in place of the picture: its files are skipped, and the user
    // should know why without having to hover over the icon.
    for (const std::string& format : MissingDecoders())
        if (m_toldMissingDecoders.insert(format).second) {
            detail = LoadResourceString(IDS_TIP_NO_DECODER) + format;
            m_trayIcon->ShowBalloon(detail);
            break;
        }
    if (m_settings.Paused)
        detail = LoadResourceString(IDS_TIP_PAUSED) + detail;
    // The walk of the folders stopped short: said below the picture until
    // a walk goes through.
    if (m_atHand.CatalogueCapped())
        detail += (detail.empty() ? "" : "\n") + LoadResourceString(IDS_TIP_CAPPED);
    m_trayIcon->SetTipDetail(detail);
}
