#include "ui/skin/ScaledPicture.h"

#include "framework/GdiObject.h"
#include "image/palette/DibPalette.h"

#include <algorithm>
#include <cstdint>

namespace {

// A 32-bit top-down copy of the picture, for reading and changing its pixels.
struct PixelCopy {
    CBitmap bitmap;
    uint32_t* pixels = nullptr;
};

PixelCopy CopyPixels(HDC dc, const CImageObject& image)
{
    PixelCopy copy;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.GetWidth();
    info.bmiHeader.biHeight = -image.GetHeight();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    copy.bitmap = CBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy.bitmap.GetSafeHandle())
        return copy;
    OwnedDc memory(CreateCompatibleDC(dc));
    ScopedSelectObject select(memory.Get(), copy.bitmap);
    image.Draw(memory.Get(), 0, 0, -1, -1, 0, 0);
    GdiFlush();
    copy.pixels = static_cast<uint32_t*>(bits);
    return copy;
}

// The pixels of the transparent colour (the top-left one's) take the colour
// of the nearest other pixel of their row, or of the nearest row with one:
// stretched, an edge then blends with its own colours, not with the
// transparent one, which would fringe it in that colour.
void SpreadOverTransparentColour(uint32_t* pixels, int width, int height)
{
    const uint32_t key = pixels[0];
    int lastRow = -1;
    for (int y = 0; y < height; ++y) {
        uint32_t* row = pixels + static_cast<size_t>(y) * width;
        int first = -1;
        for (int x = 0; x < width; ++x) {
            if (row[x] != key) {
                first = x;
                break;
            }
        }
        if (first < 0) {
            if (lastRow >= 0)
                std::copy(pixels + static_cast<size_t>(lastRow) * width,
                          pixels + static_cast<size_t>(lastRow + 1) * width, row);
            continue;
        }
        for (int x = 0; x < first; ++x)
            row[x] = row[first];
        for (int x = first + 1; x < width; ++x) {
            if (row[x] == key)
                row[x] = row[x - 1];
        }
        if (lastRow < 0) {
            for (int above = 0; above < y; ++above)
                std::copy(row, row + width, pixels + static_cast<size_t>(above) * width);
        }
        lastRow = y;
    }
}

} // namespace

void DrawScaledPicture(HDC dc, const CImageObject& image, int width, int height)
{
    const CDibPalette* palette = image.GetPalette();
    ScopedSelectPalette selectPalette(dc, palette ? palette->GetHandle() : nullptr, true);
    if (width == image.GetWidth() && height == image.GetHeight()) {
        image.Draw(dc, 0, 0, -1, -1, 0, 0);
        return;
    }
    PixelCopy copy = CopyPixels(dc, image);
    if (!copy.pixels)
        return;
    SpreadOverTransparentColour(copy.pixels, image.GetWidth(), image.GetHeight());
    OwnedDc memory(CreateCompatibleDC(dc));
    ScopedSelectObject select(memory.Get(), copy.bitmap);
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    POINT previousOrigin;
    SetBrushOrgEx(dc, 0, 0, &previousOrigin); // HALFTONE needs it set after the mode
    StretchBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, image.GetWidth(), image.GetHeight(), SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
}
