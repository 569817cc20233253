#include "engine/ChangeInterval.h"

UINT IntervalPeriod(double minutes)
{
    // Written so that a NaN also lands on the lower bound.
    if (!(minutes >= kMinimumInterval))
        minutes = kMinimumInterval;
    if (minutes > kMaximumInterval)
        minutes = kMaximumInterval;
    // Rounded to a double on purpose: kept at the x87 unit's extra
    // precision, 0.0167 minutes would come out as 1001 ms, not 1002.
    const volatile double milliseconds = minutes * 60000.0;
    if (milliseconds >= static_cast<double>(kLongestTimerPeriod))
        return kLongestTimerPeriod;
    return static_cast<UINT>(milliseconds);
}
