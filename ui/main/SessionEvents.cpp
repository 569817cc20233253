#include "ui/main/SessionEvents.h"

#include "engine/ChangeScheduler.h"

#include <wtsapi32.h>

namespace {

// Asks again for session notifications while the service is not ready.
constexpr UINT_PTR kSessionRetryTimer = 5;
constexpr UINT kSessionRetryPeriod = 5000;           // ms
constexpr DWORD kSessionRetryLimit = 10 * 60 * 1000; // ms after the start

SessionNotificationFunction registerSession = WTSRegisterSessionNotification;

} // namespace

void SetSessionNotificationFunction(SessionNotificationFunction function)
{
    registerSession = function ? function : WTSRegisterSessionNotification;
}

void CSessionEvents::Attach(HWND window)
{
    m_window = window;
    m_firstTry = GetTickCount();
    Register();
}

void CSessionEvents::DesktopMayBeLost()
{
    if (m_desktopMayBeLost)
        m_desktopMayBeLost();
}

void CSessionEvents::Register()
{
    m_registered = registerSession(m_window, NOTIFY_FOR_THIS_SESSION) != FALSE;
    // At log-on the session service may start after us: an unlock would go
    // unheard for the whole session if we asked only once.
    if (!m_registered && GetTickCount() - m_firstTry < kSessionRetryLimit)
        SetTimer(m_window, kSessionRetryTimer, kSessionRetryPeriod, nullptr);
    else
        KillTimer(m_window, kSessionRetryTimer);
}

bool CSessionEvents::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_POWERBROADCAST:
        // Sent once after every wake, whether or not someone is there; the
        // second resume follows when someone is.
        if (wp == PBT_APMRESUMEAUTOMATIC)
            m_scheduler.OnResumeOrUnlock();
        if (wp == PBT_APMRESUMEAUTOMATIC || wp == PBT_APMRESUMESUSPEND)
            DesktopMayBeLost();
        result = TRUE;
        return true;
    case WM_WTSSESSION_CHANGE:
        if (wp == WTS_SESSION_UNLOCK)
            m_scheduler.OnResumeOrUnlock();
        // A remote session shows the desktop without its wallpaper, and
        // leaves it so for the console when it ends.
        if (wp == WTS_SESSION_UNLOCK || wp == WTS_REMOTE_CONNECT || wp == WTS_REMOTE_DISCONNECT ||
            wp == WTS_CONSOLE_CONNECT)
            DesktopMayBeLost();
        return true;
    case WM_ENDSESSION:
        // At log-off or shut-down Windows ends the program after this answer
        // without closing the window: what closing saves is saved now.
        if (wp)
            m_saveBeforeSessionEnds();
        return true;
    case WM_TIMER:
        if (wp != kSessionRetryTimer)
            return false;
        Register();
        return true;
    case WM_DESTROY:
        if (m_registered)
            WTSUnRegisterSessionNotification(m_window);
        m_registered = false;
        return false;
    }
    return false;
}
