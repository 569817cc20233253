#include "ui/main/IconAndMenus.h"

#include "framework/App.h"
#include "framework/GdiObject.h"
#include "framework/ResourceString.h"
#include "framework/Window.h"
#include "resources/resource.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/help/HtmlHelpViewer.h"
#include "ui/menu/MenuMnemonic.h"
#include "ui/tray/TrayIcon.h"

#include <windowsx.h>

#include <utility>

namespace {

// The notification icon's messages reach the window as WM_USER + 1.
constexpr UINT kTrayMessage = WM_USER + 1;

// The nearest window up the parent chain that is not a child window.
HWND NonChildAncestor(HWND window)
{
    while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        window = GetParent(window);
    return window;
}

} // namespace

CIconAndMenus::CIconAndMenus(const Settings& settings, const CStartupHide& startupHide,
                             std::function<void()> fullColourChosen, std::function<void()> subfoldersChosen)
    : m_settings(settings), m_startupHide(startupHide), m_fullColourChosen(std::move(fullColourChosen)),
      m_subfoldersChosen(std::move(subfoldersChosen))
{
    m_icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
}

void CIconAndMenus::Attach(CWnd& window, CTrayIcon* trayIcon, bool startsHidden)
{
    m_window = &window;
    m_trayIcon = trayIcon;
    window.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    window.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    AppendAboutToSystemMenu();
    if (!m_trayIcon)
        return;
    m_trayIcon->SetNotifyWindow(&window, kTrayMessage);
    const UINT tip = startsHidden ? IDS_TIP_CLICK_TO_SHOW : IDS_TIP_CLICK_TO_HIDE;
    m_trayIcon->SetIconAndTip(IDI_MAIN, LoadResourceString(tip).c_str());
}

void CIconAndMenus::AppendAboutToSystemMenu()
{
    const std::string aboutText = LoadResourceString(IDS_ABOUT_MENU_ITEM);
    HMENU systemMenu = GetSystemMenu(m_window->m_hWnd, FALSE);
    if (aboutText.empty() || !systemMenu)
        return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_SYSTEM_ABOUT, aboutText.c_str());
}

void CIconAndMenus::Show()
{
    m_window->ShowWindow(SW_SHOWNORMAL);
    SetTrayTip(IDS_TIP_CLICK_TO_HIDE);
}

void CIconAndMenus::Hide()
{
    m_window->ShowWindow(SW_HIDE);
    SetTrayTip(IDS_TIP_CLICK_TO_SHOW);
}

void CIconAndMenus::SetTrayTip(UINT stringId)
{
    // Before the window registered itself the icon is not there to change.
    if (!m_trayIcon || !m_window || m_trayIcon->notifyData().hWnd != m_window->m_hWnd)
        return;
    m_trayIcon->SetIconAndTip(IDI_MAIN, LoadResourceString(stringId).c_str());
}

void CIconAndMenus::ShowHelpTopic(const char* topic)
{
    ShowHelpFileTopic(topic);
}

void CIconAndMenus::ShowAboutBox()
{
    CAboutDlg about(m_window);
    about.DoModal();
}

bool CIconAndMenus::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == CTrayIcon::TaskbarCreatedMessage()) {
        if (m_trayIcon)
            m_trayIcon->OnTaskbarCreated();
        return true;
    }
    switch (msg) {
    case kTrayMessage:
        result = m_trayIcon ? m_trayIcon->OnNotifyIconEvent(wp, lp) : 0;
        return true;
    case WM_COMMAND:
        return lp == 0 && OnCommand(LOWORD(wp));
    case WM_SYSCOMMAND:
        return OnSysCommand(wp);
    case WM_INITMENUPOPUP:
        // Both menus (the window's and the icon's) are tracked by this window.
        CheckMenuItem(reinterpret_cast<HMENU>(wp), IDM_FULL_COLOUR,
                      MF_BYCOMMAND | (m_settings.FullColour ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(reinterpret_cast<HMENU>(wp), IDM_INCLUDE_SUBFOLDERS,
                      MF_BYCOMMAND | (m_settings.IncludeSubfolders ? MF_CHECKED : MF_UNCHECKED));
        return false;
    case WM_MENUCHAR:
        // Both menus are tracked by this window; their items are owner-drawn.
        result = AnswerMenuChar(m_window->m_hWnd, wp, lp);
        return true;
    case WM_CONTEXTMENU:
        OnContextMenu({GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return true;
    case WM_WINDOWPOSCHANGED:
        OnWindowPosChanged(reinterpret_cast<const WINDOWPOS*>(lp)->flags);
        return false;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_icon);
        return true;
    case WM_PAINT:
        if (!IsIconic(m_window->m_hWnd))
            return false;
        PaintMinimised();
        return true;
    }
    return false;
}

bool CIconAndMenus::OnCommand(UINT id)
{
    switch (id) {
    case IDM_ABOUT:
        ShowAboutBox();
        return true;
    case IDM_HELP:
        ShowHelpTopic(kDefaultHelpTopic);
        return true;
    case IDM_FULL_COLOUR:
        m_fullColourChosen();
        return true;
    case IDM_INCLUDE_SUBFOLDERS:
        m_subfoldersChosen();
        return true;
    case IDM_SHOW_WINDOW:
        Show();
        return true;
    case IDM_HIDE_WINDOW:
        Hide();
        return true;
    }
    return false;
}

bool CIconAndMenus::OnSysCommand(WPARAM command)
{
    if ((command & 0xFFF0) == IDM_SYSTEM_ABOUT) {
        ShowAboutBox();
        return true;
    }
    if ((command & 0xFFF0) != SC_MINIMIZE)
        return false;
    // The window goes to the notification area, never to the taskbar.
    Hide();
    return true;
}

void CIconAndMenus::OnContextMenu(POINT point)
{
    // From the keyboard: just inside the client area's top-left corner.
    if (point.x == -1 && point.y == -1) {
        point = {5, 5};
        m_window->ClientToScreen(&point);
    }
    m_contextMenu.LoadMenu(IDR_CONTEXT_MENU);
    m_contextMenu.LoadToolbarIcons(IDR_MENU_ICONS);
    HMENU popup = m_contextMenu.GetSafeHmenu() ? GetSubMenu(m_contextMenu.GetSafeHmenu(), 0) : nullptr;
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, NonChildAncestor(m_window->m_hWnd), nullptr);
    m_contextMenu.DestroyMenu();
}

void CIconAndMenus::OnWindowPosChanged(UINT flags)
{
    // Also when another copy of the program shows this window, restoring it
    // from minimised (which sends no WM_SHOWWINDOW): the tip follows the
    // window whoever showed or hid it. A window started at log-on shows
    // only until its start-up hide: its tip offers to show it all along.
    if (flags & SWP_HIDEWINDOW)
        SetTrayTip(IDS_TIP_CLICK_TO_SHOW);
    else if ((flags & SWP_SHOWWINDOW) && !m_startupHide.Pending())
        SetTrayTip(IDS_TIP_CLICK_TO_HIDE);
}

void CIconAndMenus::PaintMinimised()
{
    const HWND window = m_window->m_hWnd;
    PaintDc paint(window);
    SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT client = {};
    GetClientRect(window, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, m_icon);
}
