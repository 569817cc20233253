#include "ui/controls/DialogColours.h"

namespace {

bool highContrastForTesting = false;

// A disabled edit, which asks as a label does: its field stays a box.
bool IsDisabledEdit(HWND control)
{
    char name[8] = {};
    return control && GetParent(control) && !IsWindowEnabled(control) && GetClassNameA(control, name, sizeof name) &&
           lstrcmpiA(name, "Edit") == 0;
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
    const bool field = IsDisabledEdit(control);
    const COLORREF background = field ? kDisabledFieldColour : kDialogBackColour;
    CBrush& brush = field ? m_disabledField : m_panel;
    if (!brush.GetSafeHandle())
        brush.CreateSolidBrush(background);
    SetBkColor(dc, background);
    return brush;
}
