#include "tests/ui/UiTestSupport.h"

#include "framework/App.h"
#include "tests/support/Program.h"

#include <map>

namespace ui_test {

HMODULE LanguageModule(const char* fileName)
{
    static std::map<std::string, HMODULE> modules;
    HMODULE& module = modules[fileName];
    if (!module)
        module = LoadLibraryA((testing_support::TestProgramDirectory() + "\\" + fileName).c_str());
    return module;
}

ResourceModuleScope::ResourceModuleScope(HMODULE module) : m_previous(AfxGetResourceHandle())
{
    AfxSetResourceHandle(module);
}

ResourceModuleScope::~ResourceModuleScope()
{
    AfxSetResourceHandle(m_previous);
}

HookedWindow::HookedWindow(const char* caption, DWORD style)
{
    CreateEx(0, nullptr, caption, style, RECT{100, 100, 400, 300}, nullptr, 0);
}

HookedWindow::~HookedWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

LRESULT HookedWindow::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (hook && hook(msg, wp, lp, result))
        return result;
    return CWnd::WindowProc(msg, wp, lp);
}

HWND TrackedMenuWindow()
{
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

} // namespace ui_test
