#pragma once
// The skin a dialog wears: the background picture drawn over it, the
// window cut to its shape and sized to it, the skin buttons, the controls'
// colours, dragging the window by any free point of the background, and
// everything laid out for the window's DPI: the skin's pictures at the
// nearest scale at or above it (stretched by what is left), and the
// dialog's controls grown by DPI/96 with it, so they stay on the plain
// panel of the background. The dialog inside stays a plain form: it hands
// its messages here first and hears of the skin buttons' clicks.

#include "framework/DialogLayout.h"
#include "framework/MessageHandler.h"
#include "framework/ToolTipCtrl.h"
#include "framework/Window.h"
#include "image/ImageObject.h"
#include "ui/controls/DialogColours.h"
#include "ui/controls/MutedControl.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinDescription.h"
#include "ui/skin/SkinScale.h"

#include <memory>
#include <string>
#include <vector>

class SkinnedWindowHost {
  public:
    virtual void OnSkinButtonClick(int index) = 0;

  protected:
    ~SkinnedWindowHost() = default;
};

class CSkinnedWindow : public CMessageHandler, private SkinButtonHost {
  public:
    explicit CSkinnedWindow(SkinnedWindowHost& host) : m_host(host) {}
    ~CSkinnedWindow();
    CSkinnedWindow(const CSkinnedWindow&) = delete;
    CSkinnedWindow& operator=(const CSkinnedWindow&) = delete;

    // Dresses `window` (a dialog whose controls exist) in the skin named
    // `skinFolderName`, else in another one shipped with the program; the
    // name becomes that of the skin shown. Without any, the user is told
    // and the dialog keeps its own frame, so it can still be used and closed.
    void Attach(CWnd& window, std::string& skinFolderName);
    // Lets go of the buttons and pictures; the window keeps its shape.
    void Release();

    // The background and every button drawn again after `delay` ms, once
    // for a burst of requests.
    void ScheduleRepaint(UINT delay);
    void EnableButton(int index, bool enabled);
    // The skin's messages, seen before the dialog's own; true when handled.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void RelayEvent(MSG* msg) { m_toolTip.RelayEvent(msg); }

  private:
    // Everything that depends on the DPI: pictures, shape, buttons, layout.
    void Dress(UINT dpi);
    // The skin of the preferred name, else another shipped one; false when
    // none can be shown, with the folders or pictures that are missing.
    bool LoadSkin(UINT dpi, std::vector<std::string>& missing);
    bool LoadBackgroundImage();
    void ApplyWindowRegion();
    RECT ScaledRect(const RECT& rect) const;
    void CreateButtons();
    // The index of the button with the keyboard focus, -1 for none.
    int FocusedButton() const;
    void DrawBackground();
    // Every button in its normal picture, or its disabled one.
    void DrawButtonsNormal();
    void Repaint();
    void InvalidateControls();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    // Colours, high contrast or fonts of the system changed: brushes and
    // fonts made from them are made again, and everything drawn again.
    void OnSystemLookChanged(UINT msg, WPARAM wp, LPARAM lp);
    void OnSkinButtonHover(int index) override;
    void OnSkinButtonClick(int index) override;

    SkinnedWindowHost& m_host;
    CWnd* m_window = nullptr;
    std::string* m_skinFolderName = nullptr;
    SkinDescription m_skin;
    SkinScale m_scale;
    std::unique_ptr<CImageObject> m_backgroundImage;
    std::vector<std::unique_ptr<CSkinButton>> m_buttons;
    std::vector<bool> m_disabledButtons;
    int m_hoverIndex = -1; // the button that last reported the mouse over it
    CDialogLayout m_layout;
    CToolTipCtrl m_toolTip;
    DialogColours m_colours; // its brushes live until the system's colours change
    // The form's check boxes, radio buttons, labels and edits, drawn by us while disabled.
    std::vector<std::unique_ptr<CMutedControl>> m_mutedControls;
};
