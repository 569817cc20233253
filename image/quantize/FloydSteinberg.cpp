#include "image/quantize/FloydSteinberg.h"

#include <utility>

#include <emmintrin.h>

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
    : nearest(nearest), width(width), errors(new int16_t[(static_cast<size_t>(width) + 2) * 8]()),
      fromAbove(errors.get()), toBelow(errors.get() + (static_cast<size_t>(width) + 2) * 4)
{
    for (int index = 0; index < 256; ++index) {
        colors[index][0] = palette.red[static_cast<size_t>(index)];
        colors[index][1] = palette.green[static_cast<size_t>(index)];
        colors[index][2] = palette.blue[static_cast<size_t>(index)];
        colors[index][3] = 0;
        for (int c = 0; c < 4; ++c)
            sevenColors[index][c] = static_cast<int16_t>(colors[index][c] * 7);
    }
    // A pixel's sum lies within 7 x 255 for the pixel before it plus
    // 9 x 255 from the row above, plus 8 for the rounding.
    for (int sum = -kSumOffset; sum < kSumOffset; ++sum)
        damped[sum + kSumOffset] = static_cast<int8_t>(DampedError(sum >> 4));
    for (int sum = -32; sum < 256 + 32; ++sum) {
        const int level = sum < 0 ? 0 : sum > 255 ? 255 : sum;
        for (int channel = 0; channel < 3; ++channel) {
            limited[channel][sum + 32] = static_cast<uint8_t>(level);
            shares[channel][sum + 32] =
                static_cast<uint16_t>(InverseColorMap::Share(static_cast<InverseColorMap::Channel>(channel), level));
        }
    }
}

void FloydSteinberg::DitherRow(const uint8_t* rgb, uint8_t* indices)
{
    if (rightToLeft)
        Dither<-1>(rgb, indices);
    else
        Dither<1>(rgb, indices);
    rightToLeft = !rightToLeft;
    std::swap(fromAbove, toBelow);
}

template <int step> void FloydSteinberg::Dither(const uint8_t* rgb, uint8_t* indices)
{
    const int first = step > 0 ? 0 : width - 1;
    const uint8_t* pixel = rgb + first * 3;
    uint8_t* out = indices + first;
    const int16_t* above = fromAbove + (first + 1) * 4;
    int16_t* below = toBelow + (first + 1) * 4;
    // The first pixel adds to the two columns below it and behind.
    for (int c = 0; c < 4; ++c)
        below[c] = below[c - step * 4] = 0;
    // Per channel, the pixel's error sum (times 16) but for the 7/16 of the
    // previous pixel's error, whose colour is still being looked up: seven
    // times the level now, seven times the colour taken off once known.
    // Keeping the sum apart shortens the chain from one pixel to the next,
    // which is all the time dithering takes.
    int sumR = above[0] + 8, sumG = above[1] + 8, sumB = above[2] + 8;
    static const int16_t nothingChosen[4] = {0, 0, 0, 0};
    const int16_t* chosenSeven = nothingChosen;
    const int8_t* const damp = damped + kSumOffset;
    const uint8_t* const levelR = limited[0] + 32;
    const uint8_t* const levelG = limited[1] + 32;
    const uint8_t* const levelB = limited[2] + 32;
    const uint16_t* const shareR = shares[0] + 32;
    const uint16_t* const shareG = shares[1] + 32;
    const uint16_t* const shareB = shares[2] + 32;
    for (int n = width; n > 0; --n, pixel += step * 3, out += step, above += step * 4, below += step * 4) {
        // The tables offset by the pixel's own levels, found before the
        // damped errors are: the addition leaves the chain.
        const int dampedR = damp[sumR - chosenSeven[0]];
        const int dampedG = damp[sumG - chosenSeven[1]];
        const int dampedB = damp[sumB - chosenSeven[2]];
        const int index =
            nearest.Nearest((shareR + pixel[0])[dampedR] | (shareG + pixel[1])[dampedG] | (shareB + pixel[2])[dampedB]);
        *out = static_cast<uint8_t>(index);
        const int r = (levelR + pixel[0])[dampedR];
        const int g = (levelG + pixel[1])[dampedG];
        const int b = (levelB + pixel[2])[dampedB];
        sumR = r * 7 + above[step * 4 + 0] + 8;
        sumG = g * 7 + above[step * 4 + 1] + 8;
        sumB = b * 7 + above[step * 4 + 2] + 8;
        chosenSeven = sevenColors[index];
        // The three channels' errors at once: 1/16 ahead (the first share
        // that column gets), 5/16 straight below, 3/16 behind.
        __m128i levels = _mm_cvtsi32_si128(r);
        levels = _mm_insert_epi16(levels, g, 1);
        levels = _mm_insert_epi16(levels, b, 2);
        const __m128i error = _mm_sub_epi16(levels, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(colors[index])));
        const __m128i twice = _mm_add_epi16(error, error);
        const __m128i threeTimes = _mm_add_epi16(twice, error);
        const __m128i fiveTimes = _mm_add_epi16(_mm_add_epi16(twice, twice), error);
        __m128i* const ahead = reinterpret_cast<__m128i*>(below + step * 4);
        __m128i* const under = reinterpret_cast<__m128i*>(below);
        __m128i* const behind = reinterpret_cast<__m128i*>(below - step * 4);
        _mm_storel_epi64(ahead, error);
        _mm_storel_epi64(under, _mm_add_epi16(_mm_loadl_epi64(under), fiveTimes));
        _mm_storel_epi64(behind, _mm_add_epi16(_mm_loadl_epi64(behind), threeTimes));
    }
}
