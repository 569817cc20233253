#include "framework/ToolTipCtrl.h"

#include "framework/Dpi.h"
#include "framework/InterfaceFont.h"

#include <utility>

#include <commctrl.h>

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const RECT none = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, none, parent, 0))
        return FALSE;
    UpdateFont();
    return TRUE;
}

void CToolTipCtrl::UpdateFont()
{
    // The system's tooltip font at the owner's DPI, able to show the texts'
    // language; the control takes the new one before the old one goes.
    CFont font = CreateToolTipFont(WindowDpi(::GetWindow(m_hWnd, GW_OWNER)));
    if (!font.GetSafeHandle())
        return;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), FALSE);
    m_font = std::move(font);
}

void CToolTipCtrl::Activate(BOOL activate)
{
    SendMessage(TTM_ACTIVATE, activate, 0);
}

BOOL CToolTipCtrl::AddTool(HWND window, UINT id, const RECT& rect, const std::string& text)
{
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = window;
    tool.uId = id;
    tool.rect = rect;
    tool.lpszText = const_cast<char*>(text.c_str()); // the control keeps a copy
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)));
}

void CToolTipCtrl::RelayEvent(MSG* msg)
{
    if (m_hWnd)
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
