#include "ui/dialogs/PictureFolder.h"

#include "framework/FileSearch.h"

#include <array>
#include <cstdio>

namespace {

// The extensions of the picture patterns, in the order they are searched.
constexpr std::array<const char*, 4> kPictureExtensions = {"bmp", "jpg", "png", "gif"};

// Which pattern a name matches, -1 for none. The folder is read once with
// "*" and the names sorted into the four patterns here: that is a quarter
// of the directory reading of four searches, and it goes by the long name
// only. A search for "*.jpg" also matches the 8.3 short name that Windows
// gives "photo.jpeg" (PHOTO~1.JPG), so it would list .jpeg files after all.
int PatternOf(const char* name)
{
    const char* dot = nullptr;
    for (const char* p = name; *p; p = CharNextA(p))
        if (*p == '.')
            dot = p;
    if (!dot)
        return -1;
    for (size_t pattern = 0; pattern < kPictureExtensions.size(); ++pattern)
        if (lstrcmpiA(dot + 1, kPictureExtensions[pattern]) == 0)
            return static_cast<int>(pattern);
    return -1;
}

template <typename Visit> void ForEachFile(const std::string& folder, Visit visit)
{
    FileSearch search(folder + "*");
    if (!search.HasMatch())
        return;
    do
        visit(search.Data());
    while (search.Next());
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
    int count = 0;
    ForEachFile(folder, [&](const WIN32_FIND_DATAA& match) { count += PatternOf(match.cFileName) >= 0; });
    return count;
}

std::vector<PictureFileEntry> ReadPictureFiles(const std::string& folder, int limit)
{
    std::array<std::vector<PictureFileEntry>, kPictureExtensions.size()> byPattern;
    ForEachFile(folder, [&](const WIN32_FIND_DATAA& match) {
        const int pattern = PatternOf(match.cFileName);
        if (pattern >= 0)
            byPattern[pattern].push_back({match.cFileName, match.ftLastWriteTime});
    });
    std::vector<PictureFileEntry> entries;
    for (auto& matches : byPattern)
        for (auto& match : matches) {
            if (static_cast<int>(entries.size()) >= limit)
                return entries;
            entries.push_back(std::move(match));
        }
    return entries;
}

LocalDateFormat::LocalDateFormat() : m_hasZone(GetTimeZoneInformation(&m_zone) != TIME_ZONE_ID_INVALID) {}

std::string LocalDateFormat::Format(const FILETIME& time) const
{
    // The local time of that date, daylight saving included, as Explorer
    // shows it; not today's offset applied to every date.
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (!FileTimeToSystemTime(&time, &universal) ||
        !SystemTimeToTzSpecificLocalTime(m_hasZone ? &m_zone : nullptr, &universal, &local))
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
