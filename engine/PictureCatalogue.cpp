#include "engine/PictureCatalogue.h"

#include "framework/Path.h"

#include <windows.h>

namespace {

// Owns a find-first handle.
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
    const char* Name() const { return m_data.cFileName; }
    bool Next() { return FindNextFileA(m_handle, &m_data) != FALSE; }

  private:
    WIN32_FIND_DATAA m_data{};
    HANDLE m_handle;
};

// The folder as the search reports it: absolute, so a relative current
// path still yields full paths.
std::string AbsoluteFolder(const std::string& folder)
{
    if (folder.empty())
        return folder;
    char buffer[MAX_PATH * 4];
    char* filePart = nullptr;
    const DWORD length = GetFullPathNameA(folder.c_str(), sizeof buffer, buffer, &filePart);
    if (length == 0 || length >= sizeof buffer)
        return folder;
    std::string absolute(buffer, length);
    // A drive root comes back with its backslash; the folder has none.
    if (!absolute.empty() && absolute.back() == '\\')
        absolute.pop_back();
    return absolute;
}

} // namespace

std::string FindNextPicture(const std::string& currentPath)
{
    const std::string folder = DirectoryOfPath(currentPath);
    const std::string absoluteFolder = AbsoluteFolder(folder);
    std::string firstMatch;
    int matchCount = 0;
    bool currentSeen = false;

    for (const char* pattern : kPicturePatterns) {
        FileSearch search(folder + pattern);
        if (!search.HasMatch())
            continue;
        do {
            const std::string match = absoluteFolder + "\\" + search.Name();
            if (matchCount == 0)
                firstMatch = match;
            if (currentSeen)
                return match;
            // Byte for byte and case-sensitive: a path stored with another
            // letter case counts as a different picture.
            if (match == currentPath)
                currentSeen = true;
            ++matchCount;
        } while (search.Next());
    }
    return matchCount > 0 ? firstMatch : std::string();
}
