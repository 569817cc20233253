#pragma once
// How well one colour reads on another: the WCAG contrast ratio, 1 to 21.
// Text wants 4.5 at least, disabled text 3.

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace testing_support {

inline double RelativeLuminance(COLORREF colour)
{
    const auto linear = [](BYTE channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) + 0.0722 * linear(GetBValue(colour));
}

inline double ContrastRatio(COLORREF a, COLORREF b)
{
    const auto [darker, lighter] = std::minmax({RelativeLuminance(a), RelativeLuminance(b)});
    return (lighter + 0.05) / (darker + 0.05);
}

inline COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH fill = {};
    GetObjectA(brush, sizeof fill, &fill);
    return fill.lbColor;
}

} // namespace testing_support
