#include "tests/skin/support/MaskBitmap.h"

#include <vector>

CBitmap MakeMaskBitmap(int width, int height, const std::function<bool(int, int)>& opaque)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Opaque colours never come near magenta: green stays at 64 or more.
            const uint32_t colour =
                (uint32_t(x * 7 % 256) << 16) | (uint32_t(64 + y % 128) << 8) | uint32_t(y * 3 % 256);
            pixels[static_cast<size_t>(y) * width + x] = opaque(x, y) ? colour : 0x00FF00FF;
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    CBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    SetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return bitmap;
}

bool SmoothMask(int x, int y, int width, int height)
{
    auto inCircle = [](int x, int y, int cx, int cy, int r) {
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) < r * r;
    };
    const int radius = 40;
    const int left = 10, top = 12, right = width - 10, bottom = height - 10;
    bool body = x >= left && x < right && y >= top && y < bottom;
    if (body && x < left + radius && y < top + radius)
        body = inCircle(x, y, left + radius, top + radius, radius);
    if (body && x >= right - radius && y >= bottom - radius)
        body = inCircle(x, y, right - radius, bottom - radius, radius);
    const bool badge = inCircle(x, y, 40, 40, 34);
    const bool hole = (x - width / 2) * (x - width / 2) * 4 + (y - height / 2) * (y - height / 2) * 9 < 160 * 160;
    return (body || badge) && !hole;
}

bool ScatteredMask::operator()(int x, int y) const
{
    if (x == 0 && y == 0)
        return false; // the corner names the transparent colour
    // A hash of the position, so a mask needs no storage of its own.
    uint32_t h = seed_ ^ (uint32_t(x) * 0x9E3779B1u) ^ (uint32_t(y) * 0x85EBCA77u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return static_cast<int>(h % 100) < percent_;
}
