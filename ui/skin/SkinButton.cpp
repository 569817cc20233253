#include "ui/skin/SkinButton.h"

#include "image/ImageFileType.h"
#include "image/palette/DibPalette.h"
#include "ui/skin/SkinRegion.h"

namespace {

constexpr UINT kToolId = 1;
// The tool covers the button whatever its size.
constexpr RECT kToolRect = {0, 0, 100, 100};

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
    SetWindowPos(m_hWnd, HWND_TOP, rectangle.left, rectangle.top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);

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
    WindowDc dc(m_hWnd);
    const CDibPalette* palette = image->GetPalette();
    ScopedSelectPalette selectPalette(dc.Get(), palette ? palette->GetHandle() : nullptr, true);
    image->Draw(dc.Get(), 0, 0, -1, -1, 0, 0);
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
    if (SkinButtonHost* host = Host())
        host->OnSkinButtonClick(m_index);
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
    case WM_PAINT:
        // The pictures appear through the window's repaint and the state
        // changes; painting here would only flicker.
        ValidateRect(m_hWnd, nullptr);
        return 0;
    }
    return CWnd::WindowProc(msg, wp, lp);
}
