#include "ui/tray/TipText.h"

namespace {

constexpr wchar_t kEllipsis = L'\x2026';

bool IsLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::wstring FittedTip(const std::wstring& tip, std::size_t capacity)
{
    if (tip.size() <= capacity)
        return tip;
    if (capacity == 0)
        return {};
    std::size_t length = capacity - 1; // room for the ellipsis
    if (length > 0 && IsLowSurrogate(tip[length]))
        --length;
    return tip.substr(0, length) + kEllipsis;
}
