#pragma once

#include <windows.h>

#include <string>

// Owns a FindFirstFile search: the first match is there once constructed,
// Next steps on, and the handle is closed with the object.
class FileSearch {
  public:
    explicit FileSearch(const std::string& pattern) : m_handle(FindFirstFileA(pattern.c_str(), &m_data)) {}
    ~FileSearch()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            FindClose(m_handle);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool HasMatch() const { return m_handle != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Data() const { return m_data; }
    bool Next() { return FindNextFileA(m_handle, &m_data) != FALSE; }

  private:
    WIN32_FIND_DATAA m_data{};
    HANDLE m_handle;
};
