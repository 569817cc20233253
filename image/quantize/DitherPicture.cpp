#include "image/quantize/DitherPicture.h"

#include "framework/Worker.h"

#include "image/quantize/FloydSteinberg.h"
#include "image/quantize/InverseColorMap.h"

bool DitherPicture(const QuantizedPalette& palette, const uint8_t* rgb, int width, int height, uint8_t* topRow,
                   ptrdiff_t outStride)
{
    InverseColorMap nearest(palette);
    FloydSteinberg dither(palette, nearest, width);
    const size_t rgbStride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y, rgb += rgbStride, topRow += outStride) {
        if (y % 16 == 0 && StopRequested())
            return false;
        dither.DitherRow(rgb, topRow);
    }
    return true;
}
