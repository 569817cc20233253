#include "tests/dialogs/FolderBrowserDriver.h"

#include "tests/support/WindowHelpers.h"

#include <shlobj.h>

namespace dialog_tests {

using testing_support::FindOwnedDialog;

namespace {

constexpr DWORD kBrowserTimeout = 20000; // ms

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
    HWND browser = FindOwnedDialog(m_owner);
    while (!browser && GetTickCount() - start < kBrowserTimeout) {
        Sleep(20);
        browser = FindOwnedDialog(m_owner);
    }
    if (!browser)
        return;
    // The browser's own message: select a folder given by its path.
    if (!m_folder.empty())
        SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(m_folder.c_str()));
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    m_answered = true;
}

} // namespace dialog_tests
