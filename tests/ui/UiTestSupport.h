#pragma once
// What the user-interface tests share: the language modules as the program
// loads them, and a framework window whose messages a test can watch.

#include "framework/Window.h"
#include "tests/support/Canvas.h"

#include <windows.h>

#include <functional>
#include <string>

namespace ui_test {

using testing_support::Canvas;

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
