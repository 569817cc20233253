#include "tests/engine/ShellDesktopWindow.h"

namespace {

constexpr char kClassName[] = "ProgMan";

void RegisterDesktopClass()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass); // a second registration fails harmlessly
}

} // namespace

ShellDesktopWindow::ShellDesktopWindow()
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

ShellDesktopWindow::~ShellDesktopWindow()
{
    PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

void ShellDesktopWindow::SetVisible(bool visible) const
{
    ShowWindow(m_window, visible ? SW_SHOWNA : SW_HIDE);
}

void ShellDesktopWindow::Run(HANDLE ready)
{
    RegisterDesktopClass();
    m_threadId = GetCurrentThreadId();
    m_window = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0, 64, 64,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    // The queue exists once a window does, so the quit message cannot be lost.
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(m_window);
}
