#pragma once
// CWnd: a C++ object bound to a window handle. Windows we create and
// controls we subclass are found from their handle through one map; the
// binding ends at WM_NCDESTROY, after the window's last message.

#include <windows.h>

#include <string>

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window, or null when the window has none.
    static CWnd* FromHandle(HWND window);

    operator HWND() const { return m_hWnd; }

    // Creates a window bound to this object. A null class name takes the
    // framework's default class. For classes registered through
    // AfxRegisterWndClass the object is bound at WM_NCCREATE (it gets
    // WM_CREATE too); a window of a system class is subclassed once created.
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id);
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, className, windowName, style, rect, parent, id);
    }

    // Binds this object to an existing window and routes its messages
    // through WindowProc; the previous procedure becomes the default.
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window back its own procedure and forgets it.
    HWND UnsubclassWindow();

    virtual BOOL DestroyWindow();
    // The chain of pre-translation: a window may consume a message before
    // it is dispatched (tooltips relay mouse messages here).
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Walks from the window that a message is for up to (and including)
    // `top`, or to the root when `top` is null, offering the message to each
    // bound object's PreTranslateMessage.
    static BOOL WalkPreTranslateTree(HWND top, MSG* msg);

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::SendMessageA(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::PostMessageA(m_hWnd, msg, wp, lp); }
    void SetWindowText(const std::string& text) { ::SetWindowTextA(m_hWnd, text.c_str()); }
    std::string GetWindowText() const;

    HWND m_hWnd = nullptr;

  protected:
    // One switch per class; unhandled messages go to the base class and
    // finally to DefWindowProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

    // WM_COMMAND: returns TRUE when handled.
    virtual BOOL OnCommand(WPARAM wp, LPARAM lp);
    // A notification this control sent to its parent, offered to the control
    // first (colours, commands, WM_NOTIFY, owner drawing). Returning TRUE
    // makes *result the parent's answer; the parent then never sees it.
    virtual BOOL OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    // The window has received its last message and is no longer bound.
    virtual void PostNcDestroy() {}

    void Attach(HWND window);
    HWND Detach();

    static LRESULT CALLBACK StandardWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

  private:
    friend LRESULT CALLBACK ClassWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // Reflection and owner-drawn menus first, then WindowProc.
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT DispatchLastMessage(UINT msg, WPARAM wp, LPARAM lp);

    WNDPROC m_previousProc = nullptr;
};

// Registers (once for each distinct set of arguments) a window class whose
// windows are bound to the object that creates them, and returns its name.
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);
