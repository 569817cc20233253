#include "ui/dialogs/PictureFolder.h"

#include <cstdio>

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
