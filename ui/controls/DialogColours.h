#pragma once
// The colours every window of the program paints its controls with: navy
// text on the orange of the skin's panel. Each pair reads at 4.5:1 at
// least, a disabled control's grey text (the system draws it, in any
// colour it likes) at 3:1 on a panel of its own. With high contrast on,
// text and backgrounds are the system's colours throughout.

#include "framework/GdiObject.h"

#include <windows.h>

constexpr COLORREF kDialogTextColour = RGB(0, 0, 128);    // 6.4:1 on the panel
constexpr COLORREF kDialogBackColour = RGB(255, 128, 64); // the skin's panel
// Behind a disabled control: the system's grey text is dark on some systems,
// (109, 109, 109) on Windows 10, and light on others, (166, 166, 166) under
// Wine; the panel is pale or dark to suit (3.4:1 or more either way).
constexpr COLORREF kPaleDisabledBackColour = RGB(255, 236, 220);
constexpr COLORREF kDarkDisabledBackColour = RGB(128, 50, 16); // the skin's bands, darker
// Links: underlined, and darker than the text so they stand apart from it.
constexpr COLORREF kLinkColour = RGB(0, 0, 160);     // 5.6:1 on the panel
constexpr COLORREF kOtherLinkColour = RGB(96, 0, 0); // 5.6:1 on the panel

// Whether the user has high contrast on.
bool HighContrastOn();
// Wine cannot switch high contrast on (SPI_SETHIGHCONTRAST fails there), so
// tests switch it on for their own process here.
void SetHighContrastForTesting(bool on);

// The answer of our windows to a control's colour request.
class DialogColours {
  public:
    // The brush for `control`, with the text colours set into `dc`; null
    // with high contrast on, when the system's own answer must be given.
    HBRUSH Answer(HDC dc, HWND control);

  private:
    CBrush m_panel;
    CBrush m_disabledPanel;
};
