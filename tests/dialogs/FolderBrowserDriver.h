#pragma once
// Answers the shell's folder browser the way a user does: when the browser
// opens over `owner`, it selects `folder` (when not empty) and presses OK. It runs on a
// thread of its own, because the browser's loop holds the test's thread.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace dialog_tests {

class FolderBrowserDriver {
  public:
    FolderBrowserDriver(HWND owner, std::string folder);
    ~FolderBrowserDriver(); // waits for the thread
    FolderBrowserDriver(const FolderBrowserDriver&) = delete;
    FolderBrowserDriver& operator=(const FolderBrowserDriver&) = delete;

    // Whether a browser showed up and was answered.
    bool Answered() const { return m_answered; }

  private:
    void Run();

    HWND m_owner;
    std::string m_folder;
    std::atomic<bool> m_answered{false};
    std::thread m_thread;
};

} // namespace dialog_tests
