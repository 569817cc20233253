#include "ui/skin/ScaledPicture.h"

#include "framework/GdiObject.h"
#include "image/palette/DibPalette.h"

void DrawScaledPicture(HDC dc, const CImageObject& image, int width, int height)
{
    const CDibPalette* palette = image.GetPalette();
    ScopedSelectPalette selectPalette(dc, palette ? palette->GetHandle() : nullptr, true);
    if (width == image.GetWidth() && height == image.GetHeight()) {
        image.Draw(dc, 0, 0, -1, -1, 0, 0);
        return;
    }
    const std::unique_ptr<CBitmap> bitmap = image.MakeDeviceBitmap();
    OwnedDc memory(CreateCompatibleDC(dc));
    if (!bitmap || !memory.Get())
        return;
    ScopedSelectObject select(memory.Get(), *bitmap);
    const int previousMode = SetStretchBltMode(dc, HALFTONE);
    POINT previousOrigin;
    SetBrushOrgEx(dc, 0, 0, &previousOrigin); // HALFTONE needs it set after the mode
    StretchBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, image.GetWidth(), image.GetHeight(), SRCCOPY);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
    SetStretchBltMode(dc, previousMode);
}
