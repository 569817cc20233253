#include "framework/Window.h"

#include "framework/App.h"
#include "framework/ExceptionBoundary.h"
#include "framework/Menu.h"

#include <commctrl.h>

#include <cstdio>
#include <map>
#include <tuple>
#include <unordered_map>

namespace {

// Every window is used from the one user-interface thread, so a plain map
// is all the binding needs.
std::unordered_map<HWND, CWnd*>& WindowMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

bool IsControlColorMessage(UINT msg)
{
    return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

// The control that sent a notification its parent may let it answer, or
// null. Owner-drawn menus (wParam 0) are routed to their CMenu instead.
HWND NotifyingChild(HWND parent, UINT msg, WPARAM wp, LPARAM lp)
{
    if (IsControlColorMessage(msg))
        return reinterpret_cast<HWND>(lp);
    switch (msg) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return lp ? reinterpret_cast<const NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return wp ? reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wp ? ::GetDlgItem(parent, static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lp)->CtlID))
                  : nullptr;
    default:
        return nullptr;
    }
}

// The menu side of owner drawing: requests with wParam 0 come from a menu.
bool RouteMenuRequest(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_INITMENUPOPUP) {
        CMenu::NotePopupShown(reinterpret_cast<HMENU>(wp));
        return false;
    }
    if (wp != 0 || !lp)
        return false;
    if (msg == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        return item->CtlType == ODT_MENU && CMenu::RouteMeasureItem(item);
    }
    if (msg == WM_DRAWITEM) {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        return item->CtlType == ODT_MENU && CMenu::RouteDrawItem(item);
    }
    return false;
}

} // namespace

LRESULT CALLBACK ClassWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    // The scratch-program binding: the creating object rides in
    // lpCreateParams and is bound before any handler of ours runs.
    if (msg == WM_NCCREATE && !CWnd::FromHandle(window)) {
        auto* object = static_cast<CWnd*>(reinterpret_cast<const CREATESTRUCTA*>(lp)->lpCreateParams);
        if (object && !object->m_hWnd)
            object->Attach(window);
    }
    return CWnd::StandardWindowProc(window, msg, wp, lp);
}

LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon)
{
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> registered;
    const auto key = std::make_tuple(classStyle, cursor, background, icon);
    if (const auto found = registered.find(key); found != registered.end())
        return found->second.c_str();

    char name[64];
    std::snprintf(name, sizeof name, "TessalyWnd:%u:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                  static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA windowClass = {};
    windowClass.style = classStyle;
    windowClass.lpfnWndProc = &ClassWindowProc;
    windowClass.hInstance = AfxGetInstanceHandle();
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = background;
    windowClass.hIcon = icon;
    windowClass.lpszClassName = name;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    return registered.emplace(key, name).first->second.c_str();
}

CWnd::~CWnd()
{
    // Detach before the window goes, so no late message reaches a dead object.
    if (m_hWnd && WindowMap().count(m_hWnd)) {
        HWND window = m_hWnd;
        UnsubclassWindow();
        if (IsWindow(window))
            ::DestroyWindow(window);
    }
}

CWnd* CWnd::FromHandle(HWND window)
{
    const auto found = WindowMap().find(window);
    return found == WindowMap().end() ? nullptr : found->second;
}

void CWnd::Attach(HWND window)
{
    m_hWnd = window;
    WindowMap()[window] = this;
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    if (window)
        WindowMap().erase(window);
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id)
{
    if (m_hWnd)
        return FALSE;
    if (!className)
        className = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */));
    if (!className)
        return FALSE;
    // A child's id travels in the menu argument.
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, menuOrId,
                                  AfxGetInstanceHandle(), this);
    if (!window) {
        // A window that failed during creation may have been bound.
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    // System classes never look at lpCreateParams: subclass them instead.
    if (!m_hWnd)
        return SubclassWindow(window);
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd || FromHandle(window))
        return FALSE;
    Attach(window);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWindowProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    return parent ? SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id))) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_previousProc && m_hWnd)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    m_previousProc = nullptr;
    return Detach();
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

std::string CWnd::GetWindowText() const
{
    const int length = GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, &text[0], length + 1)));
    return text;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND top, MSG* msg)
{
    for (HWND window = msg->hwnd; window; window = ::GetParent(window)) {
        if (CWnd* object = FromHandle(window); object && object->PreTranslateMessage(msg))
            return TRUE;
        if (window == top)
            break;
    }
    return FALSE;
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    if (m_previousProc)
        return CallWindowProcA(m_previousProc, m_hWnd, msg, wp, lp);
    return DefWindowProcA(m_hWnd, msg, wp, lp);
}

BOOL CWnd::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && OnCommand(wp, lp))
        return 0;
    return Default(msg, wp, lp);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    if (HWND child = NotifyingChild(m_hWnd, msg, wp, lp); child && child != m_hWnd) {
        LRESULT result = 0;
        if (CWnd* control = FromHandle(child); control && control->OnChildNotify(msg, wp, lp, &result))
            return result;
    }
    if (RouteMenuRequest(msg, wp, lp))
        return TRUE;
    return WindowProc(msg, wp, lp);
}

LRESULT CWnd::DispatchLastMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    // The last message: let the default procedure see it, then unbind.
    HWND window = m_hWnd;
    const LRESULT result = GuardWindowProc([&] { return WindowProc(msg, wp, lp); });
    WNDPROC previous = m_previousProc;
    m_previousProc = nullptr;
    if (previous)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    Detach();
    GuardWindowProc([&] {
        PostNcDestroy();
        return LRESULT(0);
    });
    return result;
}

LRESULT CALLBACK CWnd::StandardWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* object = FromHandle(window);
    if (!object)
        return DefWindowProcA(window, msg, wp, lp);
    if (msg == WM_NCDESTROY)
        return object->DispatchLastMessage(msg, wp, lp);
    return GuardWindowProc([&] { return object->Dispatch(msg, wp, lp); });
}
