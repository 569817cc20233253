#include "ui/main/WallpaperSchedule.h"

#include "engine/FullScreenWork.h"
#include "engine/TodayText.h"

namespace {

// A wallpaper job's "done" reaches the window as this message.
constexpr UINT kWallpaperJobMessage = WM_APP + 17;
// The picture catalogue's "the pictures changed".
constexpr UINT kCatalogueMessage = WM_APP + 24;

} // namespace

CWallpaperSchedule::CWallpaperSchedule(Settings& settings, CRegistryKey& key, PictureAtHand& atHand,
                                       WallpaperScheduleHost& host)
    : m_settings(settings), m_key(key), m_atHand(atHand), m_host(host), m_scheduler(settings, *this, GetTodayText),
      m_changer(*this, kWallpaperJobMessage)
{
}

void CWallpaperSchedule::Attach(HWND window)
{
    m_window = window;
    m_changer.SetWindow(window);
    m_atHand.KeepCatalogue(window, kCatalogueMessage);
}

void CWallpaperSchedule::ChangeByUser(PictureAtHand::Step step)
{
    if (!m_settings.ShowPic)
        return;
    const bool forward = step == PictureAtHand::Step::Forward;
    if (forward && WaitForCatalogue(false))
        return;
    if (m_changer.Request(forward ? WallpaperRequest::Next : WallpaperRequest::Previous))
        m_scheduler.OnChangedByUser();
    else
        m_host.CurrentPictureMoved();
}

bool CWallpaperSchedule::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg == kWallpaperJobMessage) {
        m_changer.OnJobFinished();
        return true;
    }
    if (msg == kCatalogueMessage) {
        OnCatalogueChanged();
        return true;
    }
    if (msg != WM_TIMER)
        return false;
    switch (wp) {
    case kChangeTimer:
        m_scheduler.OnChangeTimer();
        return true;
    case kQuietCheckTimer:
        m_scheduler.OnQuietCheckTimer();
        return true;
    }
    return false;
}

bool CWallpaperSchedule::WaitForCatalogue(bool bySchedule)
{
    if (m_atHand.CatalogueReady())
        return false;
    // The folders are still being read: the change happens once they are,
    // as the one asked for (a user's Next before the schedule's).
    m_changeWaits = m_changeWaits == ChangeWaits::ByUser || !bySchedule ? ChangeWaits::ByUser : ChangeWaits::BySchedule;
    return true;
}

void CWallpaperSchedule::OnCatalogueChanged()
{
    m_atHand.CatalogueChanged();
    const ChangeWaits waiting = m_changeWaits;
    if (waiting != ChangeWaits::None && m_atHand.CatalogueReady()) {
        m_changeWaits = ChangeWaits::None;
        if (waiting == ChangeWaits::BySchedule)
            ChangeToNextPicture();
        else
            ChangeByUser(PictureAtHand::Step::Forward);
        return;
    }
    m_host.CurrentPictureMoved();
}

// ---- What the scheduler asks

void CWallpaperSchedule::ChangeToNextPicture()
{
    // A folder with nothing to show (a drive unplugged for a while) keeps
    // the current picture, so the sequence goes on from it once it is back;
    // the tip says what is missing.
    if (WaitForCatalogue(true))
        return;
    m_bySchedule = true;
    const bool requested = m_changer.Request(WallpaperRequest::Next);
    m_bySchedule = false;
    if (!requested)
        m_host.CurrentPictureMoved();
}

bool CWallpaperSchedule::ApplyCurrentPicture()
{
    // A choice that cannot be read is passed over for the next readable
    // picture of its folder, as a scheduled change passes it over.
    return m_changer.Request(WallpaperRequest::Chosen);
}

void CWallpaperSchedule::StartChangeTimer(UINT period)
{
    SetTimer(m_window, kChangeTimer, period, nullptr);
}

void CWallpaperSchedule::StopChangeTimer()
{
    KillTimer(m_window, kChangeTimer);
}

void CWallpaperSchedule::StartRepaintTimer(UINT delay)
{
    m_host.ScheduleRepaint(delay);
}

void CWallpaperSchedule::EnableIntervalEdit(bool enabled)
{
    m_host.EnableIntervalEdit(enabled);
}

void CWallpaperSchedule::WriteToday(const std::string& today)
{
    m_key.WriteString("Today", today);
}

void CWallpaperSchedule::WriteChangeMode(int mode)
{
    m_key.WriteString("ChangeMode", std::to_string(mode));
}

bool CWallpaperSchedule::SomeoneWorksFullScreen()
{
    return ::SomeoneWorksFullScreen();
}

void CWallpaperSchedule::StartQuietCheckTimer()
{
    SetTimer(m_window, kQuietCheckTimer, FullScreenCheckPeriod(), nullptr);
}

void CWallpaperSchedule::StopQuietCheckTimer()
{
    KillTimer(m_window, kQuietCheckTimer);
}

// ---- What the changer asks

std::string CWallpaperSchedule::CurrentPicture() const
{
    return m_settings.CurPicFileName;
}

WallpaperOptions CWallpaperSchedule::CurrentWallpaperOptions() const
{
    return {m_settings.SetDefaultUser, m_settings.ShowMode, m_settings.FullColour != 0};
}

std::vector<std::string> CWallpaperSchedule::NextPictures()
{
    return m_atHand.NextPictures();
}

std::vector<std::string> CWallpaperSchedule::PreviousPictures()
{
    return m_atHand.PreviousPictures();
}

void CWallpaperSchedule::MoveToPicture(const std::string& picture, bool back)
{
    m_atHand.Shown(picture, back ? PictureAtHand::Step::Back : PictureAtHand::Step::Forward);
    m_host.CurrentPictureMoved();
}

void CWallpaperSchedule::WallpaperShown()
{
    m_host.WallpaperShown();
}

void CWallpaperSchedule::NoReadablePicture()
{
    m_host.NoReadablePicture();
}

bool CWallpaperSchedule::MayChangeWallpaper()
{
    return !m_gate || m_gate(!m_bySchedule);
}
