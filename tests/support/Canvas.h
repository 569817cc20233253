#pragma once
// A 32-bit top-down DIB section selected into a memory DC: draw on Dc() or
// copy the screen into it, read back with Pixel().

#include <windows.h>

#include <cstdint>

namespace testing_support {

class Canvas {
  public:
    Canvas(int width, int height, COLORREF background = RGB(0, 0, 0));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Pixel(int x, int y) const;
    // The pixels, top row first, as 0x00RRGGBB.
    const uint32_t* Bits() const
    {
        GdiFlush();
        return m_bits;
    }
    // How many pixels of the rectangle have this colour.
    int Count(const RECT& area, COLORREF color) const;
    // Copies the screen's pixels from `topLeft` on.
    void CopyScreen(POINT topLeft);

  private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    const uint32_t* m_bits = nullptr;
};

} // namespace testing_support
