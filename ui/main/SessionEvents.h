#pragma once
// What the session tells the main window: the computer woke, the user
// unlocked the session, a remote session ended, or the session ends
// (log-off, shut-down). The first three can cost the desktop its
// wallpaper, which is then looked after. The
// session service may not run yet when the program starts at log-on: the
// window then asks again for its notifications until it does.

#include "framework/MessageHandler.h"

#include <functional>
#include <utility>

class CChangeScheduler;

// WTSRegisterSessionNotification, or a stand-in a test puts there.
using SessionNotificationFunction = BOOL(WINAPI*)(HWND window, DWORD flags);
void SetSessionNotificationFunction(SessionNotificationFunction function);

class CSessionEvents : public CMessageHandler {
  public:
    // `saveBeforeSessionEnds` saves what closing would: Windows ends the
    // program after WM_ENDSESSION without closing its window.
    CSessionEvents(CChangeScheduler& scheduler, std::function<void()> saveBeforeSessionEnds)
        : m_scheduler(scheduler), m_saveBeforeSessionEnds(std::move(saveBeforeSessionEnds))
    {
    }

    void Attach(HWND window);
    // Told after a wake, an unlock, and a remote session's start or end.
    void SetDesktopMayBeLost(std::function<void()> told) { m_desktopMayBeLost = std::move(told); }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void Register();
    void DesktopMayBeLost();

    CChangeScheduler& m_scheduler;
    std::function<void()> m_saveBeforeSessionEnds;
    std::function<void()> m_desktopMayBeLost;
    HWND m_window = nullptr;
    bool m_registered = false;
    DWORD m_firstTry = 0;
};
