#include "image/quantize/FloydSteinberg.h"

#include "image/quantize/ColorCells.h"

namespace {

// The damping of an error carried to a pixel (see the class comment).
int DampedError(int error)
{
    const int size = error < 0 ? -error : error;
    const int damped = size < 16 ? size : size < 48 ? 8 + size / 2 : 32;
    return error < 0 ? -damped : damped;
}

} // namespace

FloydSteinberg::FloydSteinberg(const QuantizedPalette& palette, InverseColorMap& nearest, int width)
    : nearest(nearest), width(width), below(new int16_t[(static_cast<size_t>(width) + 2) * 3]())
{
    for (int index = 0; index < 256; ++index) {
        colors[index][0] = palette.red[static_cast<size_t>(index)];
        colors[index][1] = palette.green[static_cast<size_t>(index)];
        colors[index][2] = palette.blue[static_cast<size_t>(index)];
        colors[index][3] = 0;
        for (int c = 0; c < 4; ++c)
            sevenColors[index][c] = colors[index][c] * 7;
    }
    for (int error = -255; error <= 255; ++error)
        damped[error + 255] = DampedError(error);
    using namespace ColorCells;
    for (int sum = -32; sum < 256 + 32; ++sum) {
        const uint32_t level = static_cast<uint32_t>(sum < 0 ? 0 : sum > 255 ? 255 : sum);
        limited[0][sum + 32] = level | static_cast<uint32_t>(Index(level >> kRedShift, 0, 0)) << 8;
        limited[1][sum + 32] = level | static_cast<uint32_t>(Index(0, level >> kGreenShift, 0)) << 8;
        limited[2][sum + 32] = level | static_cast<uint32_t>(Index(0, 0, level >> kBlueShift)) << 8;
    }
}

void FloydSteinberg::DitherRow(const uint8_t* rgb, uint8_t* indices)
{
    if (rightToLeft)
        Dither<-1>(rgb, indices);
    else
        Dither<1>(rgb, indices);
    rightToLeft = !rightToLeft;
}

template <int step> void FloydSteinberg::Dither(const uint8_t* rgb, uint8_t* indices)
{
    const int first = step > 0 ? 0 : width - 1;
    const uint8_t* pixel = rgb + first * 3;
    uint8_t* out = indices + first;
    // The entry of the column before the current pixel in this direction.
    int16_t* errorBefore = below.get() + (step > 0 ? 0 : width + 1) * 3;
    // Per channel: the next pixel's error sum (times 16) but for the 7/16
    // of this pixel's error still to be taken off (seven times the level
    // now, seven times the chosen colour once known), what the column
    // behind has gathered so far, and the error of the pixel before last.
    // Keeping the sum apart shortens the chain from one pixel to the next,
    // which is all the time dithering takes.
    int sumR = errorBefore[step * 3 + 0] + 8, sumG = errorBefore[step * 3 + 1] + 8,
        sumB = errorBefore[step * 3 + 2] + 8;
    static const int nothingChosen[4] = {0, 0, 0, 0};
    const int* chosenSeven = nothingChosen;
    int previousR = 0, previousG = 0, previousB = 0;
    int earlierR = 0, earlierG = 0, earlierB = 0;
    const int* const damp = damped + 255;
    const uint32_t* const limitR = limited[0] + 32;
    const uint32_t* const limitG = limited[1] + 32;
    const uint32_t* const limitB = limited[2] + 32;
    for (int n = width; n > 0; --n, pixel += step * 3, out += step, errorBefore += step * 3) {
        const uint32_t packedR = limitR[pixel[0] + damp[(sumR - chosenSeven[0]) >> 4]];
        const uint32_t packedG = limitG[pixel[1] + damp[(sumG - chosenSeven[1]) >> 4]];
        const uint32_t packedB = limitB[pixel[2] + damp[(sumB - chosenSeven[2]) >> 4]];
        const int index = nearest.Nearest(static_cast<int>((packedR | packedG | packedB) >> 8));
        *out = static_cast<uint8_t>(index);
        const int r = static_cast<int>(packedR & 0xFF);
        const int g = static_cast<int>(packedG & 0xFF);
        const int b = static_cast<int>(packedB & 0xFF);
        const int16_t* errorNext = errorBefore + 2 * step * 3;
        sumR = r * 7 + errorNext[0] + 8;
        sumG = g * 7 + errorNext[1] + 8;
        sumB = b * 7 + errorNext[2] + 8;
        chosenSeven = sevenColors[index];
        const int errorR = r - colors[index][0];
        const int errorG = g - colors[index][1];
        const int errorB = b - colors[index][2];
        errorBefore[0] = static_cast<int16_t>(previousR + errorR * 3);
        errorBefore[1] = static_cast<int16_t>(previousG + errorG * 3);
        errorBefore[2] = static_cast<int16_t>(previousB + errorB * 3);
        previousR = earlierR + errorR * 5;
        previousG = earlierG + errorG * 5;
        previousB = earlierB + errorB * 5;
        earlierR = errorR;
        earlierG = errorG;
        earlierB = errorB;
    }
    errorBefore[0] = static_cast<int16_t>(previousR);
    errorBefore[1] = static_cast<int16_t>(previousG);
    errorBefore[2] = static_cast<int16_t>(previousB);
}
