#pragma once
// A window started at log-on ("min") shows for a moment, then hides in the
// notification area: its timer 3 fires once, 50 ms after the start, and is
// gone after that tick whether or not it hid anything.

#include "framework/MessageHandler.h"

#include <functional>
#include <utility>

class CStartupHide : public CMessageHandler {
  public:
    // `hide` hides the window when the timer fires on a window started hidden.
    explicit CStartupHide(std::function<void()> hide) : m_hide(std::move(hide)) {}

    void Start(HWND window, bool hide);
    // Started with "min" and not hidden yet.
    bool Pending() const { return m_pending; }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    std::function<void()> m_hide;
    HWND m_window = nullptr;
    bool m_pending = false;
};
