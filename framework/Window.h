#pragma once
// CWnd: a C++ object bound to a window handle. Windows we create and
// controls we subclass are found from their handle through one map; the
// binding ends at WM_NCDESTROY, after the window's last message.

#include <windows.h>

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The object bound to a window, or null when the window has none.
    static CWnd* FromHandle(HWND window);

    operator HWND() const { return m_hWnd; }

    // Binds this object to an existing window and routes its messages
    // through WindowProc; the previous procedure becomes the default.
    BOOL SubclassWindow(HWND window);
    // Gives the window back its own procedure and forgets it.
    HWND UnsubclassWindow();

    virtual BOOL DestroyWindow();
    // The chain of pre-translation: a window may consume a message before
    // it is dispatched (tooltips relay mouse messages here).
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Walks from the window that a message is for up to (and including)
    // `top`, offering the message to each bound object's PreTranslateMessage.
    static BOOL WalkPreTranslateTree(HWND top, MSG* msg);

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return ::SendMessageA(m_hWnd, msg, wp, lp); }

    HWND m_hWnd = nullptr;

  protected:
    // One switch per class; unhandled messages go to the base class and
    // finally to DefWindowProc.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

    // WM_COMMAND: returns TRUE when handled.
    virtual BOOL OnCommand(WPARAM wp, LPARAM lp);
    // The window has received its last message and is no longer bound.
    virtual void PostNcDestroy() {}

    void Attach(HWND window);
    HWND Detach();

    static LRESULT CALLBACK StandardWindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

  private:
    WNDPROC m_previousProc = nullptr;
};
