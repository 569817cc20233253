#pragma once
// What the session tells the main window: the computer woke, the user
// unlocked the session, or the session ends (log-off, shut-down). The
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
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void Register();

    CChangeScheduler& m_scheduler;
    std::function<void()> m_saveBeforeSessionEnds;
    HWND m_window = nullptr;
    bool m_registered = false;
    DWORD m_firstTry = 0;
};
