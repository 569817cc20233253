#pragma once
// CColorLabel: a static text control painted in its own font and colour on
// its own brush, which can act as a web link: in link mode a press opens
// the control's own text with the shell and a hand cursor shows over it.
// The colours come through the parent's colour request, which the
// framework offers to the label first.

#include "framework/GdiObject.h"
#include "framework/Window.h"

#include <string>

class CColorLabel : public CWnd {
  public:
    CColorLabel();

    // Each setter returns the label, so calls chain in one expression.
    CColorLabel& SetLink(BOOL link);
    CColorLabel& SetTextColor(COLORREF color);
    CColorLabel& SetUnderline(BOOL underline);
    // The font's size for a window at `dpi` (made at the system's).
    CColorLabel& SetFontDpi(UINT dpi);
    CColorLabel& SetLinkCursor(HCURSOR cursor);
    // Replaces the button-face brush of the construction moment, for a
    // label that sits on a coloured box.
    CColorLabel& SetBackgroundColor(COLORREF color);

    COLORREF TextColor() const { return m_textColor; }
    HCURSOR LinkCursor() const { return m_cursor; }
    HBRUSH BackgroundBrush() const { return m_brush.GetHandle(); }

    // How a link is opened: the shell's "open", or a test's stand-in.
    using LinkOpener = void (*)(const std::string& address);
    static void SetLinkOpener(LinkOpener opener);

  protected:
    BOOL OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void RedrawNow();
    // Makes the font from its description and gives it to the control.
    void ApplyFont();

    COLORREF m_textColor;
    // The button-face colour of the moment the label was made, kept also
    // when the system colours change later.
    CBrush m_brush;
    LOGFONTA m_fontDescription;
    LONG m_systemFontHeight; // the font's height at the system's DPI
    CFont m_font;
    BOOL m_link = 1;
    HCURSOR m_cursor = nullptr;
};
