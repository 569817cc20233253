#pragma once
// The date of a daily change: eight digits, year, month, day (5 December
// 2003 gives "20031205"). Dates are only compared for equality, so a clock
// set back to an earlier day counts as a new day.

#include <windows.h>

#include <string>

std::string DateText(const SYSTEMTIME& date);

// Today's local date.
std::string GetTodayText();
