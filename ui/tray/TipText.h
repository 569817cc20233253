#pragma once
// A tip that does not fit the notification icon's record is cut at a
// character boundary (never between the two halves of a surrogate pair)
// and ends in an ellipsis, so the user sees that more was meant.

#include <cstddef>
#include <string>

// `tip` as at most `capacity` UTF-16 units.
std::wstring FittedTip(const std::wstring& tip, std::size_t capacity);
