#include "tests/support/Contrast.h"

#include <algorithm>
#include <cmath>

namespace testing_support {

namespace {

double Linear(BYTE channel)
{
    const double value = channel / 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF colour)
{
    return 0.2126 * Linear(GetRValue(colour)) + 0.7152 * Linear(GetGValue(colour)) +
           0.0722 * Linear(GetBValue(colour));
}

} // namespace

double ContrastRatio(COLORREF a, COLORREF b)
{
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH fill = {};
    GetObjectA(brush, sizeof fill, &fill);
    return fill.lbColor;
}

} // namespace testing_support
