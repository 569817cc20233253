#pragma once
// A dialog's controls laid out for any DPI in proportion to their places
// at 96 DPI. The dialog manager places controls in dialog units of the
// dialog's font, and a font does not grow exactly with the DPI (8 points
// are 11 pixels at 96 DPI but 13 at 120), so a dialog laid out by it at
// 120 DPI is not 1.25 times the one at 96. A window whose controls must
// stay on a picture drawn for each scale needs them to grow by DPI/96
// exactly: this takes the dialog units from the dialog manager's places
// and lays them out with 96-DPI base units times DPI/96, and gives the
// controls the dialog's font at that DPI.

#include "framework/GdiObject.h"

#include <windows.h>

#include <vector>

class CDialogLayout {
  public:
    // Takes the dialog's present children and its font as the dialog
    // manager made them. Children created later are left alone.
    void Capture(HWND dialog);
    // Places the captured controls and sets their font for `dpi`.
    void Apply(UINT dpi);

  private:
    struct Control {
        HWND window;
        RECT units; // left, top, width and height in dialog units
    };
    HWND m_dialog = nullptr;
    std::vector<Control> m_controls;
    LOGFONTA m_font = {};
    int m_points = 0;
    // Pixels per 4 horizontal and 8 vertical dialog units at 96 DPI.
    int m_baseX96 = 0;
    int m_baseY96 = 0;
    CFont m_scaledFont;
};
