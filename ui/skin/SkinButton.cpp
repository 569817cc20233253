#include "ui/skin/SkinButton.h"

#include "image/ImageFileType.h"
#include "ui/skin/SkinButtonAccessible.h"
#include "ui/skin/ScaledPicture.h"
#include "ui/skin/SkinRegion.h"

#include <algorithm>

namespace {

constexpr UINT kToolId = 1;
// The tool covers a button of the 100 % skin whatever its size; a larger
// scale's button is covered whole.
constexpr LONG kToolSide = 100;
constexpr int kFocusRingInset = 3;

} // namespace

CSkinButton::~CSkinButton() = default;

int CSkinButton::SetupButton(const std::array<std::string, kSkinButtonStates>& imagePaths, const RECT& rectangle,
                             const std::vector<uint8_t>& regionData, int index, const std::string& tooltip)
{
    m_index = index;
    m_toolTipText = tooltip;
    m_imagePaths = imagePaths;
    m_size = {rectangle.right - rectangle.left, rectangle.bottom - rectangle.top};
    LoadStateImages();

    // Only the opaque pixels of the normal picture show and take clicks.
    CRgn region = RegionFromData(regionData);
    SetWindowRgn(m_hWnd, static_cast<HRGN>(region.Detach()), TRUE);
    // The place in the z-order stays where creation put it, after the
    // dialog's controls: that order is the tab order.
    SetWindowPos(m_hWnd, nullptr, rectangle.left, rectangle.top, m_size.cx, m_size.cy, SWP_NOZORDER | SWP_SHOWWINDOW);

    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    const RECT tool = {0, 0, std::max(kToolSide, m_size.cx), std::max(kToolSide, m_size.cy)};
    m_toolTip.AddTool(m_hWnd, kToolId, tool, tooltip);
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
    DrawScaledPicture(dc.Get(), *image, m_size.cx, m_size.cy);
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
    m_host.OnSkinButtonHover(m_index);
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
    m_host.OnSkinButtonClick(m_index);
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
    case WM_GETOBJECT:
        if (static_cast<LONG>(lp) != OBJID_CLIENT)
            break;
        if (const LRESULT object = AnswerSkinButtonObject(m_hWnd, wp))
            return object;
        break;
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
