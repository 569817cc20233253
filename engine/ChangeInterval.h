#pragma once
// The interval between wallpaper changes: minutes in the settings, a
// window timer period in milliseconds.

#include "settings/ChangeTime.h"

#include <windows.h>

// The longest period a window timer takes, in milliseconds (about 24.8 days).
constexpr UINT kLongestTimerPeriod = 0x7FFFFFFF;

// The timer period of an interval of `minutes`, truncated to whole
// milliseconds. An interval outside the edit's range counts as the nearest
// bound (the settings never hold one, but "0" must never make the timer
// fire without pause); and an interval longer than a timer can wait waits
// as long as a timer can rather than wrapping round to a short period.
UINT IntervalPeriod(double minutes);
