#pragma once
// The interval between wallpaper changes as the settings hold it: minutes,
// always within the range the interval edit accepts.

#include <string>

// About one second to about 190 years.
constexpr double kMinimumInterval = 0.0167;
constexpr double kMaximumInterval = 99999999.999;
constexpr double kDefaultInterval = 30;

bool IsValidInterval(double minutes);

// The interval a stored `ChangeTime` text gives: its leading number, brought
// to the nearest bound when it lies outside the range. A text without a
// number, or with one too large to be a number, gives the default.
double IntervalFromStoredText(const std::string& text);
