// Turning a picture into a screen-compatible device bitmap.
#include "image/ImageObject.h"

#include "image/palette/DibPalette.h"

#include <new>

std::unique_ptr<CBitmap> CImageObject::MakeDeviceBitmap() const
{
    HBITMAP handle = nullptr;
    {
        OwnedDc display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
        handle = CreateCompatibleBitmap(display.Get(), GetWidth(), GetHeight());
    }
    std::unique_ptr<CBitmap> bitmap(new (std::nothrow) CBitmap(handle));
    if (!bitmap) {
        DeleteObject(handle);
        return nullptr;
    }
    OwnedDc memory(CreateCompatibleDC(nullptr));
    ScopedSelectObject selectBitmap(memory.Get(), handle);
    const CDibPalette* palette = GetPalette();
    ScopedSelectPalette selectPalette(memory.Get(), palette ? palette->GetHandle() : nullptr, false);
    Draw(memory.Get(), 0, 0, -1, -1, 0, 0);
    return bitmap;
}
