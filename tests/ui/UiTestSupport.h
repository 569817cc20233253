#pragma once
// What the user-interface tests share: the language modules as the program
// loads them, a memory canvas to draw menu items into, and a framework
// window whose messages a test can watch.

#include "framework/Window.h"

#include <windows.h>

#include <functional>
#include <string>

namespace ui_test {

// A language module beside the test program (English.dll, chinese.dll),
// loaded once for the whole run.
HMODULE LanguageModule(const char* fileName);

// Makes a module the current resource module while it lives.
class ResourceModuleScope {
  public:
    explicit ResourceModuleScope(HMODULE module);
    ~ResourceModuleScope();
    ResourceModuleScope(const ResourceModuleScope&) = delete;
    ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

  private:
    HINSTANCE m_previous;
};

// A 32-bit memory canvas: draw on Dc(), read back with Pixel().
class Canvas {
  public:
    Canvas(int width, int height, COLORREF background);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the rectangle have this colour.
    int Count(const RECT& area, COLORREF color) const;

  private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    const DWORD* m_bits = nullptr;
    int m_width;
};

// A top-level framework window. Each message is offered to `hook` first; a
// hook that returns true has handled it (with `result`).
class HookedWindow : public CWnd {
  public:
    using Hook = std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)>;

    explicit HookedWindow(const char* caption, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ~HookedWindow() override;
    Hook hook;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

// The pop-up menu window that this thread is tracking, or null.
HWND TrackedMenuWindow();

} // namespace ui_test
