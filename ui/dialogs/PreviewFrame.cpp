#include "ui/dialogs/PreviewFrame.h"

#include "image/BlockAverage.h"
#include "image/ImageObject.h"
#include "image/palette/DibPalette.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A paletted picture's colour table holds indices into its palette (to draw
// through a selected palette). This gives the same header with the colours
// themselves, the transparent one replaced by `background`, so the picture
// draws into any bitmap without a palette selected.
std::vector<uint8_t> HeaderWithColours(const CImageImpl& picture, COLORREF background)
{
    const BITMAPINFOHEADER& header = *picture.GetDib();
    const int entries = header.biClrUsed ? static_cast<int>(std::min<DWORD>(header.biClrUsed, 256))
                                         : (header.biBitCount <= 8 ? 1 << header.biBitCount : 0);
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
    std::memcpy(info.data(), &header, sizeof header);
    auto* colours = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    const auto* indices = reinterpret_cast<const WORD*>(reinterpret_cast<const uint8_t*>(&header) + header.biSize);
    for (int value = 0; value < entries; ++value) {
        uint8_t r = 0;
        uint8_t g = 0;
        uint8_t b = 0;
        if (value == picture.GetTransparentIndex()) {
            r = GetRValue(background);
            g = GetGValue(background);
            b = GetBValue(background);
        } else {
            picture.GetPalette()->GetEntry(indices[value], r, g, b);
        }
        colours[value] = RGBQUAD{b, g, r, 0};
    }
    auto* copied = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    copied->biSize = sizeof(BITMAPINFOHEADER);
    copied->biClrUsed = static_cast<DWORD>(entries);
    return info;
}

} // namespace

RECT FitPictureInto(int pictureWidth, int pictureHeight, const RECT& area)
{
    const int areaWidth = area.right - area.left;
    const int areaHeight = area.bottom - area.top;
    // Compared in 64 bits: width x height of a large picture overflows 32.
    int width = areaWidth;
    int height = areaHeight;
    if (static_cast<long long>(pictureWidth) * areaHeight > static_cast<long long>(pictureHeight) * areaWidth)
        height = static_cast<int>(static_cast<long long>(areaWidth) * pictureHeight / pictureWidth);
    else
        width = static_cast<int>(static_cast<long long>(areaHeight) * pictureWidth / pictureHeight);
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int left = area.left + (areaWidth - width) / 2;
    const int top = area.top + (areaHeight - height) / 2;
    return RECT{left, top, left + width, top + height};
}

std::unique_ptr<CBitmap> MakePreviewFrame(const CImageObject& picture, int width, int height, COLORREF background)
{
    const CImageImpl* impl = picture.GetImpl();
    if (!impl || !impl->GetDib() || width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO frameInfo = {};
    frameInfo.bmiHeader.biSize = sizeof frameInfo.bmiHeader;
    frameInfo.bmiHeader.biWidth = width;
    frameInfo.bmiHeader.biHeight = height;
    frameInfo.bmiHeader.biPlanes = 1;
    frameInfo.bmiHeader.biBitCount = 24;
    void* frameBits = nullptr;
    auto frame =
        std::make_unique<CBitmap>(CreateDIBSection(nullptr, &frameInfo, DIB_RGB_COLORS, &frameBits, nullptr, 0));
    const OwnedDc dc(CreateCompatibleDC(nullptr));
    if (!frame->GetSafeHandle() || !dc.Get())
        return nullptr;
    const ScopedSelectObject selected(dc.Get(), *frame);

    CBrush panel;
    panel.CreateSolidBrush(background);
    const RECT whole = {0, 0, width, height};
    FillRect(dc.Get(), &whole, panel.GetHandle());

    const RECT fitted = FitPictureInto(picture.GetWidth(), picture.GetHeight(), whole);
    std::vector<uint8_t> colours;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(impl->GetDib());
    if (impl->GetPalette()) {
        colours = HeaderWithColours(*impl, background);
        info = reinterpret_cast<const BITMAPINFO*>(colours.data());
    }
    const void* bits = impl->GetBits();
    int sourceWidth = picture.GetWidth();
    int sourceHeight = picture.GetHeight();
    // Most of a large reduction is done here by averaging whole blocks; the
    // system's stretch then has less than a factor of two left, where even a
    // stretch that only looks at neighbouring pixels keeps every line.
    const int factor =
        std::min(sourceWidth / (fitted.right - fitted.left), sourceHeight / (fitted.bottom - fitted.top));
    std::unique_ptr<BlockAverage> shrunk;
    if (factor >= 2)
        shrunk = AverageBlocks(*impl, info->bmiHeader.biBitCount <= 8 ? info->bmiColors : nullptr, factor);
    if (shrunk) {
        info = reinterpret_cast<const BITMAPINFO*>(&shrunk->header);
        bits = shrunk->bits.data();
        sourceWidth = shrunk->header.biWidth;
        sourceHeight = shrunk->header.biHeight;
    }
    // Halftone averages the pixels a target pixel covers instead of picking
    // one, which keeps a thin line from dropping out; it needs the brush
    // origin set after the mode. Systems without it keep their own mode.
    if (SetStretchBltMode(dc.Get(), HALFTONE))
        SetBrushOrgEx(dc.Get(), 0, 0, nullptr);
    StretchDIBits(dc.Get(), fitted.left, fitted.top, fitted.right - fitted.left, fitted.bottom - fitted.top, 0, 0,
                  sourceWidth, sourceHeight, bits, info, DIB_RGB_COLORS, SRCCOPY);
    GdiFlush();
    return frame;
}
