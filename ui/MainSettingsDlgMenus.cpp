// The main window's menus, notification icon, About box and help: the
// context menu, the system menu's About item, the icon's messages and tip,
// the minimised picture, and the menu commands that reach the window.
#include "ui/MainSettingsDlg.h"

#include "framework/GdiObject.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/help/HtmlHelpViewer.h"
#include "ui/menu/MenuMnemonic.h"
#include "ui/tray/TrayIcon.h"

#include <windowsx.h>

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

void CMainSettingsDlg::RegisterTrayIcon()
{
    if (!m_trayIcon)
        return;
    m_trayIcon->SetNotifyWindow(this, kTrayMessage);
    // A window started at log-on hides itself in a moment: the tip offers
    // to show it from the start.
    const UINT tip = m_startMinimised ? IDS_TIP_CLICK_TO_SHOW : IDS_TIP_CLICK_TO_HIDE;
    m_trayIcon->SetIconAndTip(IDI_MAIN, LoadResourceString(tip).c_str());
}

void CMainSettingsDlg::SetTrayTip(UINT stringId)
{
    // Before the window registered itself the icon is not there to change.
    if (!m_trayIcon || m_trayIcon->notifyData().hWnd != m_hWnd)
        return;
    m_trayIcon->SetIconAndTip(IDI_MAIN, LoadResourceString(stringId).c_str());
}

void CMainSettingsDlg::ShowHelpTopic(const char* topic)
{
    ShowHelpFileTopic(topic);
}

void CMainSettingsDlg::ShowAboutBox()
{
    CAboutDlg about(this);
    about.DoModal();
}

bool CMainSettingsDlg::OnMenuCommand(UINT id)
{
    switch (id) {
    case IDM_ABOUT:
        ShowAboutBox();
        return true;
    case IDM_HELP:
        ShowHelpTopic(kDefaultHelpTopic);
        return true;
    case IDM_FULL_COLOUR:
        OnFullColourChosen();
        return true;
    }
    return false;
}

void CMainSettingsDlg::OnInitMenuPopup(HMENU menu)
{
    // Both menus (the window's and the icon's) are tracked by this window.
    CheckMenuItem(menu, IDM_FULL_COLOUR, MF_BYCOMMAND | (m_settings.FullColour ? MF_CHECKED : MF_UNCHECKED));
}

void CMainSettingsDlg::OnContextMenu(HWND, POINT point)
{
    // From the keyboard: just inside the client area's top-left corner.
    if (point.x == -1 && point.y == -1) {
        point = {5, 5};
        ClientToScreen(&point);
    }
    m_contextMenu.LoadMenu(IDR_CONTEXT_MENU);
    m_contextMenu.LoadToolbarIcons(IDR_MENU_ICONS);
    HMENU popup = m_contextMenu.GetSafeHmenu() ? GetSubMenu(m_contextMenu.GetSafeHmenu(), 0) : nullptr;
    if (popup)
        TrackPopupMenu(popup, TPM_RIGHTBUTTON, point.x, point.y, 0, NonChildAncestor(m_hWnd), nullptr);
    m_contextMenu.DestroyMenu();
}

void CMainSettingsDlg::PaintMinimised()
{
    PaintDc paint(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Get()), 0);
    RECT client = {};
    GetClientRect(&client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.Get(), x, y, m_icon);
}

bool CMainSettingsDlg::OnMenusAndTrayMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    if (msg == CTrayIcon::TaskbarCreatedMessage()) {
        if (m_trayIcon)
            m_trayIcon->OnTaskbarCreated();
        return true;
    }
    switch (msg) {
    case kTrayMessage:
        result = m_trayIcon ? m_trayIcon->OnNotifyIconEvent(wp, lp) : 0;
        return true;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
        return false;
    case WM_MENUCHAR:
        // Both menus are tracked by this window; their items are owner-drawn.
        result = AnswerMenuChar(m_hWnd, wp, lp);
        return true;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wp), {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
        return true;
    case WM_PAINT:
        if (!IsIconic(m_hWnd))
            return false;
        PaintMinimised();
        return true;
    }
    return false;
}
