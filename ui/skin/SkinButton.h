#pragma once
// CSkinButton: a button drawn from four pictures of the skin (normal, under
// the mouse, pressed, disabled), cut to the shape of its normal picture.
// It keeps no state of its own besides the enabled flag and the picture
// drawn last. It never captures the mouse: a click is a release of the left
// button over it, wherever the press began. It takes the keyboard focus in
// the dialog's tab order, shows it with a focus ring, and presses on Space
// (at its release) and Enter, as a push button does.

#include "framework/ToolTipCtrl.h"
#include "framework/Window.h"
#include "image/ImageObject.h"
#include "ui/skin/SkinFile.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum SkinButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

// The window the skin buttons stand on hears of the mouse through this.
class SkinButtonHost {
  public:
    // The mouse moved over button `index`.
    virtual void OnSkinButtonHover(int index) = 0;
    virtual void OnSkinButtonClick(int index) = 0;

  protected:
    ~SkinButtonHost() = default;
};

class CSkinButton : public CWnd {
  public:
    // The button tells `host` of the mouse over it and of its clicks.
    explicit CSkinButton(SkinButtonHost& host) : m_host(host) {}
    ~CSkinButton() override;

    // Takes the pictures, shape, place and tooltip of button `index`; the
    // window must exist. The pictures are drawn at the rectangle's size,
    // stretched when theirs differs. Returns 1.
    int SetupButton(const std::array<std::string, kSkinButtonStates>& imagePaths, const RECT& rectangle,
                    const std::vector<uint8_t>& regionData, int index, const std::string& tooltip);
    // 1 when all four pictures loaded; 0 at the first that did not.
    int LoadStateImages();
    // Draws the picture of `state` now; nothing for a state without one.
    void DrawState(int state);
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled != 0; }
    // What the button's tooltip says: its name for a screen reader too.
    const std::string& ToolTipText() const { return m_toolTipText; }
    int Index() const { return m_index; }
    // The tooltip takes the system's font anew (its settings changed).
    void UpdateToolTipFont() { m_toolTip.UpdateFont(); }

    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void OnMouseMove(WPARAM keys);
    void OnLButtonDown();
    void OnLButtonUp();
    void Click();
    // Enter reaches the button instead of pressing the dialog's default.
    LRESULT OnGetDlgCode(const MSG* message) const;
    void OnKeyDown(WPARAM key, LPARAM flags);
    void OnKeyUp(WPARAM key);

    SkinButtonHost& m_host;
    int m_enabled = 1;
    int m_state = Normal;
    int m_index = 0;
    SIZE m_size = {0, 0};
    std::array<std::unique_ptr<CImageObject>, kSkinButtonStates> m_images;
    std::array<std::string, kSkinButtonStates> m_imagePaths;
    CToolTipCtrl m_toolTip;
    std::string m_toolTipText;
};
