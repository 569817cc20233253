#pragma once
// CToolTipCtrl: the common controls' tooltip window, owned by the object
// (the window goes with it). Mouse messages reach it through RelayEvent from
// the owner's PreTranslateMessage.

#include "framework/GdiObject.h"
#include "framework/Window.h"

#include <string>

class CToolTipCtrl : public CWnd {
  public:
    // A tooltip window owned by `parent`'s window.
    BOOL Create(CWnd* parent, DWORD style = 0);
    // The window goes before the font it was given.
    ~CToolTipCtrl() override { DestroyWindow(); }
    void Activate(BOOL activate);
    // A tool for `rect` of `window`'s client area, with its own copy of the text.
    BOOL AddTool(HWND window, UINT id, const RECT& rect, const std::string& text);
    void RelayEvent(MSG* msg);
    // Takes the system's tooltip font anew: after a change of the system's
    // settings or of the owner's DPI.
    void UpdateFont();

  private:
    CFont m_font;
};
