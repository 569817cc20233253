#include "ui/dialogs/PictureFolder.h"

#include <cstdio>

namespace {

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
