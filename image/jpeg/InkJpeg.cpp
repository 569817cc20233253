#include "image/jpeg/InkJpeg.h"

#include <cstring>

#include <emmintrin.h>

namespace {

// Eight pixels at a time, 16 bits a value.
constexpr size_t kGroup = 8;

// (coefficient * value + 1/2) / 65536, rounded down: the library's fixed
// point with 16 fraction bits, for coefficients within 16 bits. Each value
// is paired with 2 so one multiply-add also adds the half (2 x 16384).
__m128i FixedProduct(__m128i values, int16_t coefficient)
{
    const __m128i factors =
        _mm_set_epi16(16384, coefficient, 16384, coefficient, 16384, coefficient, 16384, coefficient);
    const __m128i two = _mm_set1_epi16(2);
    const __m128i low = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(values, two), factors), 16);
    const __m128i high = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(values, two), factors), 16);
    return _mm_packs_epi32(low, high);
}

// The green term of YCbCr to RGB, -0.34414 Cb - 0.71414 Cr, with the two
// products summed before the rounding as the library does.
__m128i GreenTerm(__m128i cb, __m128i cr)
{
    // -0.71414 x 65536 is -65536 + 18734: the -65536 part is exact.
    const __m128i factors = _mm_set_epi16(18734, -22554, 18734, -22554, 18734, -22554, 18734, -22554);
    const __m128i half = _mm_set1_epi32(32768);
    const __m128i low = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(cb, cr), factors), half), 16);
    const __m128i high = _mm_srai_epi32(_mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(cb, cr), factors), half), 16);
    return _mm_sub_epi16(_mm_packs_epi32(low, high), cr);
}

// 255 minus a colour level, limited to 0 to 255: the ink of YCCK's colour.
__m128i InkOf(__m128i level)
{
    const __m128i limited = _mm_packus_epi16(_mm_sub_epi16(_mm_set1_epi16(255), level), _mm_setzero_si128());
    return _mm_unpacklo_epi8(limited, _mm_setzero_si128());
}

// paper x black / 255, rounded to nearest (halves down), exact for all
// 8-bit values: t = x + 128; (t + t / 256) / 256.
__m128i Blend(__m128i paper, __m128i black)
{
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(paper, black), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// Four pixels of red, green, blue and a zero byte to their 12 bytes, at the
// start of the result.
__m128i PackPixels(__m128i pixels)
{
    const __m128i lowPixel = _mm_set_epi32(0, -1, 0, -1);
    // Two pixels of each 64-bit half side by side: 6 bytes.
    const __m128i pairs =
        _mm_or_si128(_mm_and_si128(pixels, lowPixel), _mm_srli_epi64(_mm_andnot_si128(lowPixel, pixels), 8));
    // The upper pair moved down to byte 6.
    const __m128i firstSix = _mm_set_epi32(0, 0, 0xFFFF, -1);
    return _mm_or_si128(_mm_and_si128(pairs, firstSix), _mm_andnot_si128(firstSix, _mm_srli_si128(pairs, 2)));
}

// kGroup pixels of four components in, red, green, blue out: kGroup * 3
// bytes, and 4 bytes of scratch after them.
template <bool ycck> void GroupToRgb(const uint8_t* ink, uint8_t* rgb, bool inverted)
{
    __m128i first;
    __m128i second;
    std::memcpy(&first, ink, sizeof first);
    std::memcpy(&second, ink + 16, sizeof second);
    const __m128i byte = _mm_set1_epi32(0xFF);
    const auto component = [&](int shift) {
        return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(first, shift), byte),
                               _mm_and_si128(_mm_srli_epi32(second, shift), byte));
    };
    __m128i values[4] = {component(0), component(8), component(16), component(24)};
    if (ycck) {
        const __m128i centre = _mm_set1_epi16(128);
        const __m128i y = values[0];
        const __m128i cb = _mm_sub_epi16(values[1], centre);
        const __m128i cr = _mm_sub_epi16(values[2], centre);
        // 1.402 x 65536 is 65536 + 26345, 1.772 x 65536 is 131072 - 14942.
        values[0] = InkOf(_mm_add_epi16(y, _mm_add_epi16(cr, FixedProduct(cr, 26345))));
        values[1] = InkOf(_mm_add_epi16(y, GreenTerm(cb, cr)));
        values[2] = InkOf(_mm_add_epi16(y, _mm_add_epi16(_mm_add_epi16(cb, cb), FixedProduct(cb, -14942))));
    }
    // Paper left uncovered by an ink: 255 where there is none.
    if (!inverted)
        for (__m128i& value : values)
            value = _mm_sub_epi16(_mm_set1_epi16(255), value);
    const __m128i rg = _mm_or_si128(Blend(values[0], values[3]), _mm_slli_epi16(Blend(values[1], values[3]), 8));
    const __m128i blue = Blend(values[2], values[3]);
    // 16 bytes from rgb on: pixels 0 to 3, then 4 to 7 from byte 12, each
    // store's last 4 bytes the next one's to fill (or the caller's slack).
    _mm_storeu_si128(reinterpret_cast<__m128i*>(rgb), PackPixels(_mm_unpacklo_epi16(rg, blue)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(rgb + 12), PackPixels(_mm_unpackhi_epi16(rg, blue)));
}

template <bool ycck> void RowToRgb(const uint8_t* ink, uint8_t* rgb, size_t width, bool inverted)
{
    // Whole groups while the row has room for the scratch bytes behind them.
    size_t x = 0;
    for (; x + kGroup + 2 <= width; x += kGroup)
        GroupToRgb<ycck>(ink + x * 4, rgb + x * 3, inverted);
    // The last few pixels through groups of their own.
    while (x < width) {
        const size_t count = width - x < kGroup ? width - x : kGroup;
        uint8_t inkGroup[kGroup * 4] = {};
        uint8_t rgbGroup[kGroup * 3 + 4];
        std::memcpy(inkGroup, ink + x * 4, count * 4);
        GroupToRgb<ycck>(inkGroup, rgbGroup, inverted);
        std::memcpy(rgb + x * 3, rgbGroup, count * 3);
        x += count;
    }
}

} // namespace

bool IsInkColorSpace(J_COLOR_SPACE space)
{
    return space == JCS_CMYK || space == JCS_YCCK;
}

void InkRowToRgb(const uint8_t* ink, uint8_t* rgb, size_t width, J_COLOR_SPACE stored, bool inverted)
{
    if (stored == JCS_YCCK)
        RowToRgb<true>(ink, rgb, width, inverted);
    else
        RowToRgb<false>(ink, rgb, width, inverted);
}
