#pragma once
// Hears of files added, renamed and removed in one folder (and, asked to,
// the folders below it) while the program runs. ReadDirectoryChangesW says
// which names changed; where a file system does not have it, a change
// notification says only that something changed; where neither can be
// set (some network shares), the watch says so and its owner rescans now
// and then.

#include <windows.h>

#include <string>
#include <vector>

struct FolderChange {
    DWORD action;     // FILE_ACTION_ADDED ... FILE_ACTION_RENAMED_NEW_NAME
    std::string path; // absolute
};

class FolderWatch {
  public:
    // `folder` ends with a backslash.
    FolderWatch(const std::string& folder, bool subtree);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Signalled when changes wait; null when no watch could be set.
    HANDLE Event() const { return m_event ? m_event : m_notification; }
    // After Event() was signalled: the names that changed, or false when
    // it is not known which (a change notification, an overflowing
    // buffer, a folder gone): everything below the folder may have changed.
    bool TakeChanges(std::vector<FolderChange>& changes);

  private:
    bool Read();

    std::string m_folder;
    bool m_subtree;
    HANDLE m_directory = INVALID_HANDLE_VALUE;
    HANDLE m_event = nullptr;
    HANDLE m_notification = nullptr;
    OVERLAPPED m_overlapped{};
    std::vector<DWORD> m_buffer; // DWORD-aligned, as the call needs
};
