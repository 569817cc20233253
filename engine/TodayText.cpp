#include "engine/TodayText.h"

#include <cstdio>

std::string DateText(const SYSTEMTIME& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u%02u%02u", static_cast<unsigned>(date.wYear),
                  static_cast<unsigned>(date.wMonth), static_cast<unsigned>(date.wDay));
    return text;
}

std::string GetTodayText()
{
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateText(now);
}
