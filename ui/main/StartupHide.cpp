#include "ui/main/StartupHide.h"

namespace {

constexpr UINT_PTR kStartupHideTimer = 3;
constexpr UINT kStartupHideDelay = 50; // ms

} // namespace

void CStartupHide::Start(HWND window, bool hide)
{
    m_window = window;
    m_pending = hide;
    SetTimer(window, kStartupHideTimer, kStartupHideDelay, nullptr);
}

bool CStartupHide::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&)
{
    if (msg != WM_TIMER || wp != kStartupHideTimer)
        return false;
    // One tick is all it is for: left running, it would wake the program
    // twenty times a second for nothing.
    KillTimer(m_window, kStartupHideTimer);
    if (m_pending) {
        m_pending = false;
        m_hide();
    }
    return true;
}
