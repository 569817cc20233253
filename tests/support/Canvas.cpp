#include "tests/support/Canvas.h"

namespace testing_support {

Canvas::Canvas(int width, int height, COLORREF background)
    : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const uint32_t*>(bits);
    m_previous = SelectObject(m_dc, m_bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all = {0, 0, width, height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

Canvas::~Canvas()
{
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

COLORREF Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    const uint32_t value = m_bits[y * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Canvas::Count(const RECT& area, COLORREF color) const
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Pixel(x, y) == color;
    return count;
}

void Canvas::CopyScreen(POINT topLeft)
{
    HDC screen = GetDC(nullptr);
    BitBlt(m_dc, 0, 0, m_width, m_height, screen, topLeft.x, topLeft.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

} // namespace testing_support
