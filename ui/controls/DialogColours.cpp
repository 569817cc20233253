#include "ui/controls/DialogColours.h"

namespace {

bool highContrastForTesting = false;

COLORREF DisabledBackColour()
{
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    const bool lightGrey = GetRValue(grey) + GetGValue(grey) + GetBValue(grey) > 3 * 140;
    return lightGrey ? kDarkDisabledBackColour : kPaleDisabledBackColour;
}

} // namespace

bool HighContrastOn()
{
    if (highContrastForTesting)
        return true;
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void SetHighContrastForTesting(bool on)
{
    highContrastForTesting = on;
}

HBRUSH DialogColours::Answer(HDC dc, HWND control)
{
    if (HighContrastOn())
        return nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kDialogTextColour);
    // The control itself, not the dialog asking for its own background.
    const bool disabled = control && GetParent(control) && !IsWindowEnabled(control);
    const COLORREF background = disabled ? DisabledBackColour() : kDialogBackColour;
    CBrush& brush = disabled ? m_disabledPanel : m_panel;
    if (!brush.GetSafeHandle())
        brush.CreateSolidBrush(background);
    SetBkColor(dc, background);
    return brush;
}
