#pragma once
// How well one colour reads on another: the WCAG contrast ratio, 1 to 21.
// Text wants 4.5 at least, disabled text 3.

#include <windows.h>

namespace testing_support {

double ContrastRatio(COLORREF a, COLORREF b);
COLORREF BrushColour(HBRUSH brush);

} // namespace testing_support
