#pragma once
// Every new wallpaper a program announces (the system's setting-change
// broadcast), described by `describe` at that moment. The announcing
// program waits for this window's answer, so what `describe` reads (the
// converted bitmap, say) is not being written meanwhile, and reading it
// never stands in the way of the next change. Announcements arrive while
// this thread pumps messages.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

class WallpaperAnnouncements {
  public:
    explicit WallpaperAnnouncements(std::function<std::string()> describe);
    ~WallpaperAnnouncements();
    WallpaperAnnouncements(const WallpaperAnnouncements&) = delete;
    WallpaperAnnouncements& operator=(const WallpaperAnnouncements&) = delete;

    const std::vector<std::string>& Shown() const { return m_shown; }
    // Pumps until `count` announcements have come; false after `milliseconds`.
    bool WaitFor(std::size_t count, DWORD milliseconds) const;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    std::function<std::string()> m_describe;
    HWND m_window = nullptr;
    std::vector<std::string> m_shown;
};

} // namespace testing_support
