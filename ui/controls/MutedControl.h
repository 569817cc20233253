#pragma once
// CMutedControl: a check box, radio button, label or edit of a window in our
// colours, drawn by us while it is disabled. The system draws disabled text
// in a grey of its own (light under Wine, dark on Windows) that reads on no
// one panel colour; drawn here, it is our muted ink on the panel, with the
// system's disabled box or circle beside it. Enabled, or with high
// contrast on, the control draws itself.

#include "framework/Window.h"

#include <memory>
#include <vector>

class CMutedControl : public CWnd {
  public:
    // Objects for every child of `window` of a kind this draws, bound to them.
    static std::vector<std::unique_ptr<CMutedControl>> TakeOverControls(HWND window);

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    bool DrawsNow() const;
    void Draw(HDC dc);
    // The box or circle of a check box or radio button; returns the room it
    // takes before the text.
    int DrawGlyph(HDC dc, const RECT& client, LONG type);
    UINT TextFormat(LONG style) const;
};
