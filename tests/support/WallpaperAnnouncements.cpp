#include "tests/support/WallpaperAnnouncements.h"

#include "tests/support/WindowHelpers.h"

namespace testing_support {

namespace {

constexpr wchar_t kClassName[] = L"TestWallpaperAnnouncements";

} // namespace

WallpaperAnnouncements::WallpaperAnnouncements(std::function<std::string()> describe) : m_describe(std::move(describe))
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass);
    // Hidden but top-level: broadcasts reach it.
    m_window =
        CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WallpaperAnnouncements::~WallpaperAnnouncements()
{
    DestroyWindow(m_window);
}

bool WallpaperAnnouncements::WaitFor(std::size_t count, DWORD milliseconds) const
{
    return PumpUntil([&] { return m_shown.size() >= count; }, milliseconds);
}

LRESULT CALLBACK WallpaperAnnouncements::Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<WallpaperAnnouncements*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && msg == WM_SETTINGCHANGE && wp == SPI_SETDESKWALLPAPER)
        self->m_shown.push_back(self->m_describe());
    return DefWindowProcW(window, msg, wp, lp);
}

} // namespace testing_support
