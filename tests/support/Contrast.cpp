#include "tests/support/Contrast.h"

#include <algorithm>
#include <cmath>

namespace testing_support {

double ContrastRatio(COLORREF a, COLORREF b)
{
    const auto luminance = [](COLORREF colour) {
        const auto linear = [](BYTE channel) {
            const double value = channel / 255.0;
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
               0.0722 * linear(GetBValue(colour));
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

COLORREF BrushColour(HBRUSH brush)
{
    LOGBRUSH fill = {};
    GetObjectA(brush, sizeof fill, &fill);
    return fill.lbColor;
}

} // namespace testing_support
