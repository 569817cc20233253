#include "ui/dialogs/PictureFolder.h"

#include "engine/PictureCatalogue.h"

#include <climits>
#include <cstdio>

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
    const WIN32_FIND_DATAA& Data() const { return m_data; }
    bool Next() { return FindNextFileA(m_handle, &m_data) != FALSE; }

  private:
    WIN32_FIND_DATAA m_data{};
    HANDLE m_handle;
};

// The folder ends with a backslash and each pattern starts with one, so two
// stand together in the search path; the system reads them as one.
template <typename Visit> int ForEachMatch(const std::string& folder, int limit, Visit visit)
{
    int count = 0;
    for (const char* pattern : kPicturePatterns) {
        FileSearch search(folder + pattern);
        if (!search.HasMatch())
            continue;
        do {
            if (count >= limit)
                return count;
            visit(search.Data());
            ++count;
        } while (search.Next());
    }
    return count;
}

// Paths are in the ANSI code page, where the second byte of a Chinese
// character can equal a backslash: walk by characters.
const char* LastSeparator(const char* text)
{
    const char* last = nullptr;
    for (const char* p = text; *p; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            last = p;
    }
    return last;
}

} // namespace

int CountPictureFiles(const std::string& folder)
{
    return ForEachMatch(folder, INT_MAX, [](const WIN32_FIND_DATAA&) {});
}

int VisitPictureFiles(const std::string& folder, int limit, const std::function<void(const WIN32_FIND_DATAA&)>& found)
{
    return ForEachMatch(folder, limit, found);
}

std::string FormatFileDate(const FILETIME& time)
{
    // The local time of that date, daylight saving included, as Explorer
    // shows it; not today's offset applied to every date.
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (!FileTimeToSystemTime(&time, &universal) || !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.wYear, local.wMonth, local.wDay,
                  local.wHour, local.wMinute, local.wSecond);
    return text;
}

std::string FileNamePart(const std::string& path)
{
    const char* text = path.c_str();
    const char* separator = LastSeparator(text);
    return separator ? std::string(separator + 1) : path;
}

std::string WithTrailingBackslash(const std::string& folder)
{
    const char* text = folder.c_str();
    const char* end = text + folder.size();
    if (!folder.empty() && *CharPrevA(text, end) == '\\')
        return folder;
    return folder + "\\";
}
