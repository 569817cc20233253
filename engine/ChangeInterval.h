#pragma once
// The interval between wallpaper changes: minutes in the settings, a
// window timer period in milliseconds.

#include <windows.h>

// The range the interval edit accepts, in minutes (about one second to
// about 190 years).
constexpr double kMinimumInterval = 0.0167;
constexpr double kMaximumInterval = 99999999.999;

// The longest period a window timer takes, in milliseconds (about 24.8 days).
constexpr UINT kLongestTimerPeriod = 0x7FFFFFFF;

// The timer period of an interval of `minutes`, truncated to whole
// milliseconds. A stored interval outside the edit's range (it is loaded
// unchecked) counts as the nearest bound, so "0" cannot make the timer
// fire without pause; and an interval longer than a timer can wait waits
// as long as a timer can rather than wrapping round to a short period.
UINT IntervalPeriod(double minutes);
