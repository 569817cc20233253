#include "framework/Window.h"

#include <unordered_map>

namespace {

// Every window is used from the one user-interface thread, so a plain map
// is all the binding needs.
std::unordered_map<HWND, CWnd*>& WindowMap()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

} // namespace

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

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd || FromHandle(window))
        return FALSE;
    Attach(window);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StandardWindowProc)));
    return TRUE;
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

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && OnCommand(wp, lp))
        return 0;
    return Default(msg, wp, lp);
}

LRESULT CALLBACK CWnd::StandardWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* object = FromHandle(window);
    if (!object)
        return DefWindowProcA(window, msg, wp, lp);
    if (msg != WM_NCDESTROY)
        return object->WindowProc(msg, wp, lp);

    // The last message: let the default procedure see it, then unbind.
    const LRESULT result = object->WindowProc(msg, wp, lp);
    WNDPROC previous = object->m_previousProc;
    object->m_previousProc = nullptr;
    if (previous)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    object->Detach();
    object->PostNcDestroy();
    return result;
}
