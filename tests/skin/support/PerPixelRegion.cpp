#include "tests/skin/support/PerPixelRegion.h"

CRgn PerPixelRegion(HDC dc, int width, int height)
{
    const COLORREF transparent = GetPixel(dc, 0, 0);
    CRgn region;
    region.CreateRectRgn(0, 0, width, height);
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (GetPixel(dc, x, y) != transparent)
                continue;
            CRgn pixel;
            pixel.CreateRectRgn(x, y, x + 1, y + 1);
            region.CombineRgn(region, pixel, RGN_XOR);
        }
    }
    return region;
}
