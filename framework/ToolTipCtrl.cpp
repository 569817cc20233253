#include "framework/ToolTipCtrl.h"

#include "framework/InterfaceFont.h"

#include <commctrl.h>

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    const RECT none = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    if (!CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, none, parent, 0))
        return FALSE;
    // The system's tooltip font, able to show the texts' language.
    m_font = CreateToolTipFont();
    if (m_font.GetSafeHandle())
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    return TRUE;
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
