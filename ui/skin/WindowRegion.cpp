#include "ui/skin/WindowRegion.h"

#include "ui/skin/SkinRegion.h"

namespace {

// Where the client area starts inside the window rectangle. Asked of the
// window itself rather than summed from frame and caption metrics, which
// do not describe a themed or scaled frame.
POINT ClientOffset(HWND window)
{
    RECT frame = {};
    GetWindowRect(window, &frame);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return {origin.x - frame.left, origin.y - frame.top};
}

} // namespace

void ApplyWindowRegion(HWND window, int width, int height, const std::vector<uint8_t>& regionData)
{
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(exStyle));
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    CRgn region = RegionFromData(regionData);
    if (region.GetSafeHandle()) {
        const POINT offset = ClientOffset(window);
        region.OffsetRgn(offset.x, offset.y);
    }
    // The system owns a window's region from here on and deletes the old one.
    SetWindowRgn(window, static_cast<HRGN>(region.Detach()), TRUE);
}
