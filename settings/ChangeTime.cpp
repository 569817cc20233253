#include "settings/ChangeTime.h"

#include "framework/NumberText.h"

#include <cmath>

bool IsValidInterval(double minutes)
{
    return minutes >= kMinimumInterval && minutes <= kMaximumInterval;
}

double IntervalFromStoredText(const std::string& text)
{
    double minutes = 0;
    if (ScanDecimalNumber(text.c_str(), minutes) == text.c_str() || !std::isfinite(minutes))
        return kDefaultInterval;
    // A value the edit would refuse must not come back at every start: the
    // user could not even correct it while the edit is disabled.
    if (minutes < kMinimumInterval)
        return kMinimumInterval;
    if (minutes > kMaximumInterval)
        return kMaximumInterval;
    return minutes;
}
