#include "ui/main/WallpaperKeeping.h"

#include "engine/WallpaperBitmap.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "ui/main/AtHandCommands.h"
#include "ui/main/SessionEvents.h"
#include "ui/main/WallpaperSchedule.h"
#include "ui/tray/TrayIcon.h"

#include <vector>

namespace {

// One look shortly after an event: Explorer, the display driver or the
// session may still be putting the desktop back when it is announced.
constexpr UINT_PTR kKeepSoonTimer = 6;
constexpr UINT kKeepSoonDelay = 1500; // ms
// And a look every ten minutes for what no event announces.
constexpr UINT_PTR kKeepLookTimer = 7;
constexpr UINT kKeepLookPeriod = 10 * 60 * 1000; // ms
// A setting change is looked at after the broadcast that brought it.
constexpr UINT kKeepLookMessage = WM_APP + 19;

// By cause, in the order of WallpaperInCharge after Nobody.
constexpr UINT kInChargeMessages[] = {IDS_KEPT_BY_POLICY, IDS_KEPT_BY_REMOTE_SESSION, IDS_KEPT_BY_SPOTLIGHT,
                                      IDS_KEPT_BY_SLIDESHOW};
constexpr UINT kInChargeTips[] = {IDS_TIP_KEPT_BY_POLICY, IDS_TIP_KEPT_BY_REMOTE_SESSION, IDS_TIP_KEPT_BY_SPOTLIGHT,
                                  IDS_TIP_KEPT_BY_SLIDESHOW};

std::size_t CauseIndex(WallpaperInCharge cause)
{
    return static_cast<std::size_t>(cause) - 1;
}

} // namespace

CWallpaperKeeping::CWallpaperKeeping(const Settings& settings, CWallpaperSchedule& schedule,
                                     CAtHandCommands& atHandCommands, CSessionEvents& sessionEvents)
    : m_settings(settings), m_schedule(schedule), m_atHandCommands(atHandCommands)
{
    m_schedule.SetChangeGate([this](bool byUser) { return MayChange(byUser); });
    m_atHandCommands.SetTipNote([this] { return TipNote(); });
    sessionEvents.SetDesktopMayBeLost([this] { CheckSoon(); });
}

void CWallpaperKeeping::Attach(HWND window)
{
    m_window = window;
    ReadWhoIsInCharge();
    if (m_settings.ShowPic) {
        // Ours when it is our bitmap or the current picture itself.
        const DesktopWallpaperNow now = ReadDesktopWallpaperNow(KeptWallpaper{});
        std::vector<std::string> ours = WallpaperBitmapLocations();
        ours.push_back(FullPathOf(m_settings.CurPicFileName));
        for (const std::string& path : ours) {
            if (!now.value.empty() && lstrcmpiA(now.value.c_str(), path.c_str()) == 0)
                m_foundAtStart = {now.value, ReadWallpaperFileFacts(now.value)};
        }
    }
    SetTimer(m_window, kKeepLookTimer, kKeepLookPeriod, nullptr);
}

bool CWallpaperKeeping::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (!m_window)
        return false;
    // The broadcasts are looked at, not taken: other parts hear them too.
    if (msg == CTrayIcon::TaskbarCreatedMessage() || msg == WM_DISPLAYCHANGE) {
        CheckSoon();
        return false;
    }
    switch (msg) {
    case WM_SETTINGCHANGE:
        // A policy, the background's kind, or a wallpaper someone set.
        PostMessageA(m_window, kKeepLookMessage, 0, 0);
        return false;
    case kKeepLookMessage:
        ReadWhoIsInCharge();
        Check();
        return true;
    case WM_TIMER:
        if (wp == kKeepSoonTimer)
            KillTimer(m_window, kKeepSoonTimer);
        else if (wp != kKeepLookTimer)
            return false;
        ReadWhoIsInCharge();
        Check();
        return true;
    case WM_DESTROY:
        KillTimer(m_window, kKeepLookTimer);
        KillTimer(m_window, kKeepSoonTimer);
        return false;
    }
    return false;
}

void CWallpaperKeeping::CheckSoon()
{
    SetTimer(m_window, kKeepSoonTimer, kKeepSoonDelay, nullptr);
}

void CWallpaperKeeping::Check()
{
    CWallpaperChanger& changer = m_schedule.Changer();
    // A change under way puts a wallpaper there anyway.
    if (!m_settings.ShowPic || m_inCharge != WallpaperInCharge::Nobody || changer.Busy())
        return;
    const KeptWallpaper& kept = Kept();
    if (kept.path.empty())
        return;
    const DesktopWallpaperNow now = ReadDesktopWallpaperNow(kept);
    switch (JudgeKeptWallpaper(kept, now)) {
    case WallpaperKept::Intact:
        SetOtherChosen(false);
        return;
    case WallpaperKept::OtherChosen:
        SetOtherChosen(true);
        return;
    case WallpaperKept::Lost:
        break;
    }
    SetOtherChosen(false);
    // A bitmap cut short or rewritten is never shown again as it is.
    if (!(now.keptFileNow == kept.facts && now.keptHeaderReadable))
        changer.ForgetConversion();
    changer.Request(WallpaperRequest::Current);
}

bool CWallpaperKeeping::MayChange(bool byUser)
{
    ReadWhoIsInCharge();
    if (m_inCharge == WallpaperInCharge::Nobody)
        return true;
    // Said once: another Next while the box is up adds no second one.
    if (byUser && !m_telling) {
        m_telling = true;
        MessageBoxA(m_window, LoadResourceString(kInChargeMessages[CauseIndex(m_inCharge)]).c_str(),
                    LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
        m_telling = false;
    }
    return false;
}

void CWallpaperKeeping::ReadWhoIsInCharge()
{
    const WallpaperInCharge inCharge = WhoIsInCharge(ReadInChargeFacts());
    if (inCharge == m_inCharge)
        return;
    m_inCharge = inCharge;
    m_atHandCommands.RefreshTipDetail();
}

void CWallpaperKeeping::SetOtherChosen(bool otherChosen)
{
    if (otherChosen == m_otherChosen)
        return;
    m_otherChosen = otherChosen;
    m_atHandCommands.RefreshTipDetail();
}

const KeptWallpaper& CWallpaperKeeping::Kept() const
{
    const KeptWallpaper& shown = m_schedule.Changer().LastShown();
    return shown.path.empty() ? m_foundAtStart : shown;
}

std::string CWallpaperKeeping::TipNote() const
{
    if (m_inCharge != WallpaperInCharge::Nobody)
        return LoadResourceString(kInChargeTips[CauseIndex(m_inCharge)]);
    return m_otherChosen ? LoadResourceString(IDS_TIP_OTHER_PROGRAM) : std::string();
}
