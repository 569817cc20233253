#pragma once
// The colours every window of the program paints its controls with: navy
// text on the orange of the skin's panel. Each pair reads at 4.5:1 at
// least; a disabled control's text, which we draw ourselves (the system's
// grey is light under Wine and dark on Windows, and reads on no one panel
// colour), is a muted ink at 4:1 on the same panel. With high contrast on,
// text and backgrounds are the system's colours throughout.

#include "framework/GdiObject.h"

#include <windows.h>

constexpr COLORREF kDialogTextColour = RGB(0, 0, 128);    // 6.4:1 on the panel
constexpr COLORREF kDialogBackColour = RGB(255, 128, 64); // the skin's panel
// A disabled control's text: a brown that reads as faded beside the navy.
constexpr COLORREF kDisabledTextColour = RGB(96, 56, 40); // 4.0:1 on the panel
// A disabled edit keeps a field of its own, paler than the panel.
constexpr COLORREF kDisabledFieldColour = RGB(255, 236, 220);
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
    CBrush m_disabledField;
};
