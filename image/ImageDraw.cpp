// Drawing of a picture onto a device context, 1:1 or scaled.
#include "image/ImageImpl.h"

#include "image/palette/DibPalette.h"

#include <cstring>
#include <memory>
#include <new>

bool CImageImpl::Draw(HDC dc, int x, int y, int w, int h, int xSrc, int ySrc) const
{
    if (!dib)
        return false;
    if (!dc)
        return true;
    RealizePalette(dc);
    if (w == -1)
        w = width;
    if (h == -1)
        h = height;
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(w), static_cast<DWORD>(h), xSrc, 0, static_cast<UINT>(ySrc),
                      static_cast<UINT>(h), bits, dib.Info(), ColorUsage());
    return true;
}

bool CImageImpl::Stretch(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc)
{
    if (!dib)
        return false;
    if (!dc)
        return true;
    if (wDst == -1)
        wDst = width;
    if (hDst == -1)
        hDst = height;
    if (wSrc == -1)
        wSrc = width - xSrc;
    if (hSrc == -1)
        hSrc = height - ySrc;
    RealizePalette(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (transparentIndex != -1 && MaskedStretch(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc))
        return true;
    StretchDIBits(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc, bits, dib.Info(), ColorUsage(), SRCCOPY);
    return true;
}

// Leaves the transparent pixels showing the background: first AND a mask
// (white where transparent, black elsewhere), then OR the picture with its
// transparent pixels turned black. The pixel array is changed in place and
// restored afterwards. Only 8-bit paletted pictures carry a transparent
// index; for anything else this returns false and the caller copies.
bool CImageImpl::MaskedStretch(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc)
{
    if (bitCount != 8 || !imagePalette || !HasPlainRows())
        return false;
    const size_t arrayBytes = static_cast<size_t>(rowStride) * static_cast<size_t>(height);
    std::unique_ptr<uint8_t[]> saved(new (std::nothrow) uint8_t[arrayBytes]);
    if (!saved)
        return false;
    std::memcpy(saved.get(), bits, arrayBytes);
    const uint8_t black = static_cast<uint8_t>(imagePalette->NearestIndex(0, 0, 0));
    const uint8_t white = static_cast<uint8_t>(imagePalette->NearestIndex(255, 255, 255));
    const uint8_t transparent = static_cast<uint8_t>(transparentIndex);
    const bool anyIndexMatches = transparentIndex >= 0 && transparentIndex <= 255;

    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = bits + static_cast<size_t>(y) * static_cast<size_t>(rowStride);
        for (uint8_t* end = pixel + width; pixel != end; ++pixel)
            *pixel = (anyIndexMatches && *pixel == transparent) ? white : black;
    }
    StretchDIBits(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc, bits, dib.Info(), DIB_PAL_COLORS, SRCAND);

    std::memcpy(bits, saved.get(), arrayBytes);
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = bits + static_cast<size_t>(y) * static_cast<size_t>(rowStride);
        for (uint8_t* end = pixel + width; pixel != end; ++pixel)
            if (anyIndexMatches && *pixel == transparent)
                *pixel = black;
    }
    StretchDIBits(dc, xDst, yDst, wDst, hDst, xSrc, ySrc, wSrc, hSrc, bits, dib.Info(), DIB_PAL_COLORS, SRCPAINT);

    std::memcpy(bits, saved.get(), arrayBytes);
    return true;
}
