#include "engine/FolderWatch.h"

namespace {

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

std::string AnsiOf(const WCHAR* text, DWORD bytes)
{
    const int units = static_cast<int>(bytes / sizeof(WCHAR));
    const int length = WideCharToMultiByte(CP_ACP, 0, text, units, nullptr, 0, nullptr, nullptr);
    std::string ansi(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text, units, &ansi[0], length, nullptr, nullptr);
    return ansi;
}

} // namespace

FolderWatch::FolderWatch(const std::string& folder, bool subtree)
    : m_folder(folder), m_subtree(subtree), m_buffer(16384)
{
    m_directory =
        CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    if (m_directory != INVALID_HANDLE_VALUE) {
        m_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        if (m_event && Read())
            return;
        if (m_event)
            CloseHandle(m_event);
        m_event = nullptr;
        CloseHandle(m_directory);
        m_directory = INVALID_HANDLE_VALUE;
    }
    m_notification = FindFirstChangeNotificationA(folder.c_str(), subtree, kWatchedChanges);
    if (m_notification == INVALID_HANDLE_VALUE)
        m_notification = nullptr;
}

FolderWatch::~FolderWatch()
{
    if (m_directory != INVALID_HANDLE_VALUE) {
        // The call must be over before its buffer goes.
        CancelIo(m_directory);
        DWORD bytes = 0;
        GetOverlappedResult(m_directory, &m_overlapped, &bytes, TRUE);
        CloseHandle(m_directory);
    }
    if (m_event)
        CloseHandle(m_event);
    if (m_notification)
        FindCloseChangeNotification(m_notification);
}

bool FolderWatch::Read()
{
    ResetEvent(m_event);
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event;
    return ReadDirectoryChangesW(m_directory, m_buffer.data(), static_cast<DWORD>(m_buffer.size() * sizeof(DWORD)),
                                 m_subtree, kWatchedChanges, nullptr, &m_overlapped, nullptr) != FALSE;
}

bool FolderWatch::TakeChanges(std::vector<FolderChange>& changes)
{
    if (m_notification) {
        FindNextChangeNotification(m_notification);
        return false;
    }
    if (!m_event)
        return false;
    DWORD bytes = 0;
    const bool done = GetOverlappedResult(m_directory, &m_overlapped, &bytes, FALSE) != FALSE;
    bool known = done && bytes > 0;
    const auto* bytesOf = reinterpret_cast<const BYTE*>(m_buffer.data());
    for (DWORD offset = 0; known;) {
        if (offset + sizeof(FILE_NOTIFY_INFORMATION) > bytes)
            break;
        const auto* entry = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytesOf + offset);
        const DWORD nameEnd = offset + offsetof(FILE_NOTIFY_INFORMATION, FileName) + entry->FileNameLength;
        if (nameEnd > bytes)
            break;
        changes.push_back({entry->Action, m_folder + AnsiOf(entry->FileName, entry->FileNameLength)});
        if (entry->NextEntryOffset == 0)
            break;
        offset += entry->NextEntryOffset;
    }
    // A folder gone ends the call with an error: the next Read fails too,
    // and the owner sets a new watch once the folder is back.
    if (!Read()) {
        CloseHandle(m_directory);
        m_directory = INVALID_HANDLE_VALUE;
        CloseHandle(m_event);
        m_event = nullptr;
        return false;
    }
    return known;
}
