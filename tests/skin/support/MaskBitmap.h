#pragma once
// Pictures made of a transparent colour and other colours, as screen
// bitmaps, for the region tests and the region benchmark.

#include "framework/GdiObject.h"

#include <windows.h>

#include <cstdint>
#include <functional>

constexpr COLORREF kMaskTransparent = RGB(255, 0, 255);

// A screen-compatible bitmap whose pixel (x, y) is transparent where
// `opaque(x, y)` is false and some other colour (varying with x and y)
// where it is true. The top-left pixel is transparent unless `opaque(0, 0)`.
CBitmap MakeMaskBitmap(int width, int height, const std::function<bool(int, int)>& opaque);

// Masks the tests and the benchmark share: a shape with smooth edges (a
// window with round corners, a badge and a hole) and random pixels.
bool SmoothMask(int x, int y, int width, int height);
class ScatteredMask {
  public:
    ScatteredMask(uint32_t seed, int percentOpaque) : seed_(seed), percent_(percentOpaque) {}
    bool operator()(int x, int y) const;

  private:
    uint32_t seed_;
    int percent_;
};
