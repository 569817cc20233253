#include "ui/skin/SkinButton.h"

#include "image/ImageFileType.h"
#include "image/palette/DibPalette.h"
#include "ui/skin/SkinRegion.h"

namespace {

constexpr UINT kToolId = 1;
// The tool covers the button whatever its size.
constexpr RECT kToolRect = {0, 0, 100, 100};
constexpr int kFocusRingInset = 3;

} // namespace

CSkinButton::~CSkinButton() = default;

int CSkinButton::SetupButton(const std::array<std::string, kSkinButtonStates>& imagePaths, const RECT& rectangle,
                             const std::vector<uint8_t>& regionData, int index, const std::string& tooltip)
{
    m_index = index;
    m_imagePaths = imagePaths;
    LoadStateImages();

    // Only the opaque pixels of the normal picture show and take clicks.
    CRgn region = RegionFromData(regionData);
    SetWindowRgn(m_hWnd, static_cast<HRGN>(region.Detach()), TRUE);
    // The place in the z-order stays where creation put it, after the
    // dialog's controls: that order is the tab order.
    SetWindowPos(m_hWnd, nullptr, rectangle.left, rectangle.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);

    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.AddTool(m_hWnd, kToolId, kToolRect, tooltip);
    return 1;
}

int CSkinButton::LoadStateImages()
{
    for (size_t state = 0; state < kSkinButtonStates; ++state) {
        const int type = ImageTypeForPictureFile(m_imagePaths[state]);
        if (type < 0)
            return 0;
        m_images[state].reset();
        auto image = std::make_unique<CImageObject>(m_imagePaths[state], type);
        if (image->GetWidth() <= 0 || image->GetHeight() <= 0)
            return 0;
        m_images[state] = std::move(image);
    }
    return 1;
}

void CSkinButton::DrawState(int state)
{
    if (state < 0 || state >= static_cast<int>(kSkinButtonStates) || !m_hWnd)
        return;
    const CImageObject* image = m_images[state].get();
    if (!image)
        return;
    m_state = state;
    WindowDc dc(m_hWnd);
    const CDibPalette* palette = image->GetPalette();
    ScopedSelectPalette selectPalette(dc.Get(), palette ? palette->GetHandle() : nullptr, true);
    image->Draw(dc.Get(), 0, 0, -1, -1, 0, 0);
    if (GetFocus() == m_hWnd) {
        // Inside the rounded corners the region cuts away.
        RECT ring;
        ::GetClientRect(m_hWnd, &ring);
        InflateRect(&ring, -kFocusRingInset, -kFocusRingInset);
        SetTextColor(dc.Get(), RGB(0, 0, 0));
        SetBkColor(dc.Get(), RGB(255, 255, 255));
        DrawFocusRect(dc.Get(), &ring);
    }
}

void CSkinButton::SetEnabled(bool enabled)
{
    m_enabled = enabled ? 1 : 0;
    DrawState(enabled ? Normal : Disabled);
}

BOOL CSkinButton::PreTranslateMessage(MSG* msg)
{
    m_toolTip.RelayEvent(msg);
    return CWnd::PreTranslateMessage(msg);
}

SkinButtonHost* CSkinButton::Host() const
{
    return dynamic_cast<SkinButtonHost*>(CWnd::FromHandle(GetParent()));
}

void CSkinButton::OnMouseMove(WPARAM keys)
{
    // The window under the pointer hears nothing when the pointer leaves it
    // for another window (a box opened by this click, the desktop): ask to
    // be told, so the hover picture goes.
    TRACKMOUSEEVENT leave = {sizeof leave, TME_LEAVE, m_hWnd, 0};
    TrackMouseEvent(&leave);
    if (!m_enabled) {
        DrawState(Disabled);
        return;
    }
    DrawState((keys & MK_LBUTTON) ? Pressed : Hover);
    if (SkinButtonHost* host = Host())
        host->OnSkinButtonHover(m_index);
}

void CSkinButton::OnLButtonDown()
{
    DrawState(m_enabled ? Pressed : Disabled);
}

void CSkinButton::OnLButtonUp()
{
    if (!m_enabled) {
        DrawState(Disabled);
        return;
    }
    DrawState(Hover);
    Click();
}

void CSkinButton::Click()
{
    if (SkinButtonHost* host = Host())
        host->OnSkinButtonClick(m_index);
}

LRESULT CSkinButton::OnGetDlgCode(const MSG* message) const
{
    const bool enter = message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
    return DLGC_BUTTON | (enter ? DLGC_WANTMESSAGE : 0);
}

void CSkinButton::OnKeyDown(WPARAM key, LPARAM flags)
{
    const bool repeated = (flags & (1 << 30)) != 0;
    if (!m_enabled || repeated)
        return;
    if (key == VK_SPACE)
        DrawState(Pressed);
    else if (key == VK_RETURN)
        Click();
}

void CSkinButton::OnKeyUp(WPARAM key)
{
    if (key != VK_SPACE || !m_enabled || m_state != Pressed)
        return;
    DrawState(Normal);
    Click();
}

LRESULT CSkinButton::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove(wp);
        break;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        break;
    case WM_LBUTTONUP:
        OnLButtonUp();
        break;
    case WM_MOUSELEAVE:
        DrawState(m_enabled ? Normal : Disabled);
        break;
    case WM_GETDLGCODE:
        return OnGetDlgCode(reinterpret_cast<const MSG*>(lp));
    case WM_KEYDOWN:
        OnKeyDown(wp, lp);
        return 0;
    case WM_KEYUP:
        OnKeyUp(wp);
        return 0;
    case BM_CLICK:
        if (m_enabled)
            Click();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = CWnd::WindowProc(msg, wp, lp);
        DrawState(m_enabled ? (m_state == Disabled ? Normal : m_state) : Disabled);
        return result;
    }
    case WM_PAINT:
        // The pictures appear through the window's repaint and the state
        // changes; painting here would only flicker.
        ValidateRect(m_hWnd, nullptr);
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
