#include "tests/dialogs/FolderBrowserDriver.h"

#include <shlobj.h>

namespace dialog_tests {

namespace {

constexpr DWORD kBrowserTimeout = 20000; // ms

struct BrowserSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindBrowser(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<BrowserSearch*>(lp);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

FolderBrowserDriver::FolderBrowserDriver(HWND owner, std::string folder)
    : m_owner(owner), m_folder(std::move(folder)), m_thread([this] { Run(); })
{
}

FolderBrowserDriver::~FolderBrowserDriver()
{
    m_thread.join();
}

void FolderBrowserDriver::Run()
{
    const DWORD start = GetTickCount();
    BrowserSearch search{m_owner, nullptr};
    while (!search.found && GetTickCount() - start < kBrowserTimeout) {
        EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(20);
    }
    if (!search.found)
        return;
    // The browser's own message: select a folder given by its path.
    SendMessageA(search.found, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_folder.c_str()));
    PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    m_answered = true;
}

} // namespace dialog_tests
