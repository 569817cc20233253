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

Canvas::Canvas(int width, int height, COLORREF background) : m_dc(CreateCompatibleDC(nullptr)), m_width(width)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const DWORD*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, width, height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    const DWORD value = m_bits[y * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Canvas::Count(const RECT& area, COLORREF color) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Pixel(x, y) == color;
    return count;
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
