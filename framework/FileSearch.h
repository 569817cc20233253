#pragma once

#include <windows.h>

#include <string>

// Owns a FindFirstFile search: the first match is there once constructed,
// Next steps on, and the handle is closed with the object.
//
// A test can make every directory call answer slowly, as a share far away
// does: the environment variable TESSALY_SLOW_FOLDERS_MS (read once) holds
// the delay in milliseconds.
class FileSearch {
  public:
    explicit FileSearch(const std::string& pattern);
    ~FileSearch()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool HasMatch() const { return m_handle != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Data() const { return m_data; }
    bool Next();

  private:
    WIN32_FIND_DATAA m_data{};
    HANDLE m_handle;
};

// The delay of each directory call, 0 but in tests.
DWORD SlowFolderDelay();
