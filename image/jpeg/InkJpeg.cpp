#include "image/jpeg/InkJpeg.h"

namespace {

uint8_t Blend(int paper, int black)
{
    return static_cast<uint8_t>((paper * black + 127) / 255);
}

} // namespace

bool IsInkColorSpace(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

void InkRowToRgb(const uint8_t* cmyk, uint8_t* rgb, size_t width, bool inverted)
{
    // Paper left uncovered by an ink: 255 where there is none.
    auto paper = [inverted](uint8_t value) { return inverted ? value : 255 - value; };
    for (size_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int black = paper(cmyk[3]);
        rgb[0] = Blend(paper(cmyk[0]), black);
        rgb[1] = Blend(paper(cmyk[1]), black);
        rgb[2] = Blend(paper(cmyk[2]), black);
    }
}
