#include "ui/tray/TrayIcon.h"

#include "framework/App.h"
#include "framework/ExceptionBoundary.h"
#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "ui/tray/TipText.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

namespace {

constexpr UINT kDefaultRetryInterval = 2000;    // ms between tries of a failed add
constexpr DWORD kDefaultRetryLimit = 2 * 60000; // ms after the first failure
UINT retryInterval = kDefaultRetryInterval;
DWORD retryLimit = kDefaultRetryLimit;

// Thread timers carry no window: their id finds the icon.
std::unordered_map<UINT_PTR, CTrayIcon*>& RetryTimers()
{
    static std::unordered_map<UINT_PTR, CTrayIcon*> timers;
    return timers;
}

// A string of the program file itself (which carries the Chinese set),
// as the tip of a resource id is looked up; empty when it has none.
std::string ProgramString(UINT id)
{
    char buffer[256];
    const int length = LoadStringA(AfxGetInstanceHandle(), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}

template <size_t Size> void StoreTip(WCHAR (&field)[Size], const std::string& tip)
{
    const std::wstring fitted = FittedTip(Widen(tip), Size - 1);
    std::copy(fitted.begin(), fitted.end(), field);
    field[fitted.size()] = L'\0';
}

} // namespace

CTrayIcon::CTrayIcon(UINT iconId) : m_notifyData{}
{
    m_notifyData.cbSize = kNotifyIconDataSize;
    m_notifyData.uID = iconId;
    m_tip = ProgramString(iconId);
    StoreTip(m_notifyData.szTip, ComposedTip());
}

std::string CTrayIcon::ComposedTip() const
{
    return m_tipDetail.empty() ? m_tip : m_tip + "\n" + m_tipDetail;
}

void CTrayIcon::SetTipDetail(const std::string& detail)
{
    if (detail == m_tipDetail)
        return;
    m_tipDetail = detail;
    StoreTip(m_notifyData.szTip, ComposedTip());
    if (m_notifyData.hIcon)
        CallShell();
}

bool CTrayIcon::ShowBalloon(const std::string& text)
{
    if (!m_notifyData.hIcon)
        return false;
    // A copy: the balloon's fields go to the shell once and are not part of
    // the icon's later changes, which would show it again.
    NotifyIconData balloon = m_notifyData;
    balloon.uFlags = NIF_INFO;
    StoreTip(balloon.szInfo, text);
    StoreTip(balloon.szInfoTitle, LoadResourceString(IDS_APP_TITLE));
    balloon.dwInfoFlags = NIIF_INFO;
    return CallShellNotifyIcon(NIM_MODIFY, &balloon) != FALSE;
}

CTrayIcon::~CTrayIcon()
{
    StopAddRetry();
    // Always, even when the last add or change failed: an icon the shell
    // still shows would stay in the notification area until the pointer
    // passes over it.
    if (m_wantedIcon || m_notifyData.hIcon) {
        m_wantedIcon = nullptr;
        m_notifyData.hIcon = nullptr;
        CallShell();
    }
    m_menu.DestroyMenu();
}

void CTrayIcon::SetNotifyWindow(CWnd* window, UINT callbackMessage)
{
    m_notifyData.hWnd = window ? window->m_hWnd : nullptr;
    m_notifyData.uCallbackMessage = callbackMessage;
}

bool CTrayIcon::SetIconAndTip(UINT resourceId, const char* tip)
{
    HICON icon = nullptr;
    if (resourceId != 0) {
        const std::string own = ProgramString(resourceId);
        if (!own.empty())
            m_tip = own;
        // The small picture of the icon: the notification area shows 16 x 16.
        icon = static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    return SetIconAndTip(icon, tip);
}

bool CTrayIcon::SetIconAndTip(HICON icon, const char* tip)
{
    m_wantedIcon = icon;
    if (tip)
        m_tip = tip;
    StoreTip(m_notifyData.szTip, ComposedTip());
    if (!icon && !m_notifyData.hIcon) {
        StopAddRetry();
        return true;
    }
    const bool shown = CallShell();
    if (icon && !shown)
        StartAddRetry();
    else
        StopAddRetry();
    return shown;
}

bool CTrayIcon::CallShell()
{
    DWORD action = NIM_DELETE;
    m_notifyData.uFlags = 0;
    if (m_wantedIcon) {
        action = m_notifyData.hIcon ? NIM_MODIFY : NIM_ADD;
        m_notifyData.hIcon = m_wantedIcon;
        m_notifyData.uFlags = NIF_ICON;
    }
    if (m_notifyData.szTip[0])
        m_notifyData.uFlags |= NIF_TIP;
    if (m_notifyData.uCallbackMessage && m_notifyData.hWnd)
        m_notifyData.uFlags |= NIF_MESSAGE;
    bool succeeded = CallShellNotifyIcon(action, &m_notifyData) != FALSE;
    // Refused because the icon is there already ("TaskbarCreated" sent by
    // some program while the taskbar lives on): the icon is changed instead.
    if (!succeeded && action == NIM_ADD)
        succeeded = CallShellNotifyIcon(NIM_MODIFY, &m_notifyData) != FALSE;
    // Without an icon in the shell the next call adds it afresh.
    if (action == NIM_DELETE || !succeeded)
        m_notifyData.hIcon = nullptr;
    return succeeded;
}

UINT CTrayIcon::TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

void CTrayIcon::OnTaskbarCreated()
{
    if (!m_wantedIcon)
        return;
    m_notifyData.hIcon = nullptr;
    SetIconAndTip(m_wantedIcon, nullptr);
}

void CTrayIcon::SetAddRetryTiming(UINT intervalMs, DWORD limitMs)
{
    retryInterval = intervalMs ? intervalMs : kDefaultRetryInterval;
    retryLimit = limitMs ? limitMs : kDefaultRetryLimit;
}

void CTrayIcon::StartAddRetry()
{
    if (m_retryTimer)
        return; // the two minutes count from the first failure
    m_retryTimer = ::SetTimer(nullptr, 0, retryInterval, &AddRetryTimerProc);
    if (!m_retryTimer)
        return;
    m_retryStart = GetTickCount();
    RetryTimers()[m_retryTimer] = this;
}

void CTrayIcon::StopAddRetry()
{
    if (!m_retryTimer)
        return;
    ::KillTimer(nullptr, m_retryTimer);
    RetryTimers().erase(m_retryTimer);
    m_retryTimer = 0;
}

void CALLBACK CTrayIcon::AddRetryTimerProc(HWND, UINT, UINT_PTR timer, DWORD)
{
    // Called from inside DispatchMessage, as a window procedure is.
    GuardWindowProc([timer] {
        const auto found = RetryTimers().find(timer);
        if (found == RetryTimers().end())
            ::KillTimer(nullptr, timer);
        else
            found->second->OnAddRetryTimer();
        return LRESULT(0);
    });
}

void CTrayIcon::OnAddRetryTimer()
{
    if (!m_wantedIcon || GetTickCount() - m_retryStart >= retryLimit) {
        StopAddRetry();
        return;
    }
    if (CallShell())
        StopAddRetry();
}

int CTrayIcon::OnNotifyIconEvent(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != m_notifyData.uID)
        return 0;
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
        ToggleWindow();
        return 1;
    case WM_LBUTTONDBLCLK:
        // The press that began the double-click has toggled the window already.
        SetForegroundWindow(m_notifyData.hWnd);
        return 1;
    case WM_RBUTTONUP:
        return ShowMenu();
    }
    return 0;
}

void CTrayIcon::ToggleWindow()
{
    HWND window = m_notifyData.hWnd;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    if (placement.showCmd != SW_SHOWMINIMIZED && IsWindowVisible(window)) {
        ShowWindow(window, SW_SHOWMINIMIZED);
        ShowWindow(window, SW_HIDE);
        SetIconAndTip(m_notifyData.uID, LoadResourceString(IDS_TIP_CLICK_TO_SHOW).c_str());
        return;
    }
    // Minimised on the taskbar or hidden: back to normal, in front.
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    SetIconAndTip(m_notifyData.uID, LoadResourceString(IDS_TIP_CLICK_TO_HIDE).c_str());
}

int CTrayIcon::ShowMenu()
{
    m_menu.LoadMenu(IDR_TRAY_MENU);
    m_menu.LoadToolbarIcons(IDR_MENU_ICONS);
    HMENU popup = m_menu.GetSafeHmenu() ? GetSubMenu(m_menu.GetSafeHmenu(), 0) : nullptr;
    if (!popup) {
        m_menu.DestroyMenu();
        return 0;
    }
    HWND window = m_notifyData.hWnd;
    const bool visible = IsWindowVisible(window) != FALSE;
    EnableMenuItem(popup, IDM_SHOW_WINDOW, MF_BYCOMMAND | (visible ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(popup, IDM_HIDE_WINDOW, MF_BYCOMMAND | (visible ? MF_ENABLED : MF_GRAYED));
    POINT cursor = {};
    GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is
    // the foreground window while it is tracked.
    SetForegroundWindow(window);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    PostMessageA(window, WM_NULL, 0, 0);
    m_menu.DestroyMenu();
    return 1;
}
