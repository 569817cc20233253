#include "ui/main/WindowPlacement.h"

#include <algorithm>
#include <cstdio>

namespace {

bool ParsePoint(const std::string& text, POINT& point)
{
    long x = 0;
    long y = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%ld,%ld%c", &x, &y, &rest) != 2)
        return false;
    point = {x, y};
    return true;
}

RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    return info.rcWork;
}

POINT CentredIn(const RECT& area, SIZE size)
{
    return {area.left + (area.right - area.left - size.cx) / 2, area.top + (area.bottom - area.top - size.cy) / 2};
}

// A window larger than the area keeps its top-left corner (and so its
// caption) inside it.
POINT KeptInside(POINT point, SIZE size, const RECT& area)
{
    return {std::max<LONG>(area.left, std::min<LONG>(point.x, area.right - size.cx)),
            std::max<LONG>(area.top, std::min<LONG>(point.y, area.bottom - size.cy))};
}

} // namespace

std::string WindowPosText(POINT topLeft)
{
    return std::to_string(topLeft.x) + "," + std::to_string(topLeft.y);
}

POINT OpeningPosition(const std::string& stored, SIZE size)
{
    const RECT primary = WorkAreaOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    POINT point{};
    if (!ParsePoint(stored, point))
        return KeptInside(CentredIn(primary, size), size, primary);
    const RECT window = {point.x, point.y, point.x + size.cx, point.y + size.cy};
    HMONITOR monitor = MonitorFromRect(&window, MONITOR_DEFAULTTONULL);
    if (!monitor)
        return KeptInside(CentredIn(primary, size), size, primary);
    return KeptInside(point, size, WorkAreaOf(monitor));
}

void PlaceWhereLeft(HWND window, CRegistryKey& key)
{
    std::string stored;
    key.ReadString(kWindowPosValue, stored);
    RECT rect;
    ::GetWindowRect(window, &rect);
    const POINT place = OpeningPosition(stored, {rect.right - rect.left, rect.bottom - rect.top});
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RememberPlace(HWND window, CRegistryKey& key)
{
    // A minimised window's rectangle is the icon's, not the place it opens at.
    RECT rect;
    if (!IsIconic(window) && ::GetWindowRect(window, &rect))
        key.WriteString(kWindowPosValue, WindowPosText({rect.left, rect.top}));
}
