#pragma once
// The shell's desktop window that carries the icons (class "ProgMan"),
// which Wine does not have: a real top-level window of that class, owned by
// a thread of its own so that another process can show and hide it while
// the test's thread waits.

#include <windows.h>

#include <thread>

class ShellDesktopWindow {
  public:
    ShellDesktopWindow();
    ~ShellDesktopWindow();
    ShellDesktopWindow(const ShellDesktopWindow&) = delete;
    ShellDesktopWindow& operator=(const ShellDesktopWindow&) = delete;

    HWND Handle() const { return m_window; }
    bool IsVisible() const { return ::IsWindowVisible(m_window) != FALSE; }
    void SetVisible(bool visible) const;

  private:
    void Run(HANDLE ready);

    HWND m_window = nullptr;
    DWORD m_threadId = 0;
    std::thread m_thread;
};
