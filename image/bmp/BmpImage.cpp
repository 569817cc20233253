#include "image/bmp/BmpImage.h"

#include "framework/GdiObject.h"
#include "image/bmp/DibFile.h"
#include "image/palette/ColorTable.h"
#include "image/palette/DibPalette.h"

#include <new>

int CBmpImage::Load(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    ReleasePicture();
    GlobalDib block = ReadDibFile(path);
    if (!block) {
        width = height = 0;
        return 0;
    }
    AdoptDib(std::move(block));
    if (static_cast<uint16_t>(dib.Header()->biClrUsed) == 0)
        return 1;
    imagePalette.reset(new (std::nothrow) CDibPalette(PaletteFromColorTable(dib.Header())));
    if (imagePalette)
        SetColorTable(dib.Header(), imagePalette->GetHandle(), true);
    colorType = 3;
    return 1;
}

int CBmpImage::Save(const std::string& name)
{
    const std::string& path = AdoptFileName(name);
    if (!dib)
        return 0;
    // A file holds colours, not palette indices. A picture without palette
    // has no colours of its own: it is written with the system's default
    // palette (what a null palette stands for), and its table keeps them.
    const HPALETTE palette = imagePalette ? imagePalette->GetHandle() : nullptr;
    SetColorTable(dib.Header(), palette, false);
    const int result = WriteDibFile(path, dib.Header());
    if (palette)
        SetColorTable(dib.Header(), palette, true);
    return result;
}

bool CBmpImage::CreateFromBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || GetObject(bitmap, sizeof info, &info) == 0)
        return false;
    if (!Create(info.bmWidth, info.bmHeight, info.bmBitsPixel, -1))
        return false;
    WindowDc screen(nullptr);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), bits, reinterpret_cast<BITMAPINFO*>(dib.Header()),
              DIB_RGB_COLORS);
    return true;
}
