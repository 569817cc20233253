#include "framework/FileSearch.h"

#include <cstdlib>

DWORD SlowFolderDelay()
{
    static const DWORD delay = [] {
        char text[16] = {};
        const DWORD length = GetEnvironmentVariableA("TESSALY_SLOW_FOLDERS_MS", text, sizeof text);
        if (length == 0 || length >= sizeof text)
            return DWORD{0};
        return static_cast<DWORD>(std::strtoul(text, nullptr, 10) % 60000);
    }();
    return delay;
}

FileSearch::FileSearch(const std::string& pattern)
{
    if (const DWORD delay = SlowFolderDelay())
        Sleep(delay);
    m_handle = FindFirstFileA(pattern.c_str(), &m_data);
}

bool FileSearch::Next()
{
    if (const DWORD delay = SlowFolderDelay())
        Sleep(delay);
    return FindNextFileA(m_handle, &m_data) != FALSE;
}
