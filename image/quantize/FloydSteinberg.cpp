#include "image/quantize/FloydSteinberg.h"

#include <cstring>
#include <utility>

#include <emmintrin.h>

namespace {

// A pixel's error sum (times 16, plus 8 for the rounding) lies within
// 7 x 255 from the pixel before it plus 9 x 255 from the row above.
constexpr int kSumOffset = 4096;
// A level plus a damped error lies within -32 and 255 + 32.
constexpr int kLevelOffset = FloydSteinberg::kLevelOffset;
constexpr uint32_t kChoiceBytes = FloydSteinberg::kChoiceBytes;

// The damping of an error carried to a pixel (see the class comment).
int DampedError(int error)
{
    const int size = error < 0 ? -error : error;
    const int damped = size < 16 ? size : size < 48 ? 8 + size / 2 : 32;
    return error < 0 ? -damped : damped;
}

// The tables the chain from one pixel to the next goes through, the same
// for every palette. Kept at a fixed address, they take no register in the
// loop: 32-bit x86 has few.
struct DitherTables {
    // The damped error by its sum (the division by 16 is in the table).
    int8_t damped[2 * kSumOffset];
    // By a level plus a damped error: the sum limited to 0 to 255, and for
    // green and blue that level's share of its cell's place in the inverse
    // map, in bytes of the choices table (red's is per dithering: it holds
    // the table's address too).
    uint8_t limited[256 + 2 * kLevelOffset];
    uint32_t byteShares[2][256 + 2 * kLevelOffset];

    DitherTables()
    {
        for (int sum = -kSumOffset; sum < kSumOffset; ++sum)
            damped[sum + kSumOffset] = static_cast<int8_t>(DampedError(sum >> 4));
        for (int sum = -kLevelOffset; sum < 256 + kLevelOffset; ++sum) {
            const int level = sum < 0 ? 0 : sum > 255 ? 255 : sum;
            limited[sum + kLevelOffset] = static_cast<uint8_t>(level);
            byteShares[0][sum + kLevelOffset] = InverseColorMap::Share(InverseColorMap::kGreen, level) * kChoiceBytes;
            byteShares[1][sum + kLevelOffset] = InverseColorMap::Share(InverseColorMap::kBlue, level) * kChoiceBytes;
        }
    }
};

const DitherTables kTables;

} // namespace

FloydSteinberg::FloydSteinberg(const QuantizedPalette& palette, InverseColorMap& nearest, int width)
    : nearest(nearest), width(width), choices(new Choice[ColorCells::kCount]()),
      errors(new int16_t[(static_cast<size_t>(width) + 2 * kEdge) * 4 * 3]())
{
    const size_t columns = (static_cast<size_t>(width) + 2 * kEdge) * 4;
    fromAbove = errors.get() + kEdge * 4;
    rowErrors = fromAbove + columns;
    aboveErrors = rowErrors + columns;
    const uint8_t* const table = reinterpret_cast<const uint8_t*>(choices.get());
    for (int sum = -kLevelOffset; sum < 256 + kLevelOffset; ++sum) {
        const int level = sum < 0 ? 0 : sum > 255 ? 255 : sum;
        redChoices[sum + kLevelOffset] = table + InverseColorMap::Share(InverseColorMap::kRed, level) * kChoiceBytes;
    }
    for (int index = 0; index < 256; ++index) {
        colors[index][0] = palette.red[static_cast<size_t>(index)];
        colors[index][1] = palette.green[static_cast<size_t>(index)];
        colors[index][2] = palette.blue[static_cast<size_t>(index)];
        colors[index][3] = 0;
    }
}

void FloydSteinberg::DitherRow(const uint8_t* rgb, uint8_t* indices)
{
    if (rightToLeft)
        ChooseColors<-1>(rgb, indices);
    else
        ChooseColors<1>(rgb, indices);
    rightToLeft = !rightToLeft;
    std::swap(rowErrors, aboveErrors);
}

inline const FloydSteinberg::Choice& FloydSteinberg::ChoiceAt(const uint8_t* at)
{
    Choice& choice = *const_cast<Choice*>(reinterpret_cast<const Choice*>(at));
    if (!choice.known) {
        const int index = nearest.Nearest(static_cast<uint32_t>(&choice - choices.get()));
        for (int c = 0; c < 3; ++c)
            choice.lessSeven[c] = static_cast<int16_t>(-7 * colors[index][c]);
        choice.index = static_cast<uint8_t>(index);
        choice.known = 1;
    }
    return choice;
}

// What column x of this row receives from the row above, which went the
// other way: 1/16 of the error of the pixel before it in that row's order
// (the next one in this row's), 5/16 of the one above and 3/16 of the one
// after (the sums are exact, so their order does not matter).
template <int step> inline void FloydSteinberg::Receive(int x)
{
    const __m128i before = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(aboveErrors + (x + step) * 4));
    const __m128i above = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(aboveErrors + x * 4));
    const __m128i after = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(aboveErrors + (x - step) * 4));
    const __m128i fiveAbove = _mm_add_epi16(_mm_slli_epi16(above, 2), above);
    const __m128i threeAfter = _mm_add_epi16(_mm_slli_epi16(after, 1), after);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(fromAbove + x * 4),
                     _mm_add_epi16(_mm_add_epi16(before, fiveAbove), threeAfter));
}

template <int step> void FloydSteinberg::ChooseColors(const uint8_t* rgb, uint8_t* indices)
{
    const int first = step > 0 ? 0 : width - 1;
    const uint8_t* pixel = rgb + first * 3;
    uint8_t* out = indices + first;
    const int16_t* above = fromAbove + first * 4;
    int16_t* error = rowErrors + first * 4;
    const int8_t* const damp = kTables.damped + kSumOffset;
    const uint8_t* const limit = kTables.limited + kLevelOffset;
    const uint8_t* const* const choiceR = redChoices + kLevelOffset;
    const uint32_t* const shareG = kTables.byteShares[0] + kLevelOffset;
    const uint32_t* const shareB = kTables.byteShares[1] + kLevelOffset;
    // What the row above spreads is worked out two columns ahead of the
    // chain, in the time the chain leaves the processor idle; beyond the
    // row's ends it lands in the margin, where no one reads it.
    Receive<step>(first);
    Receive<step>(first + step);
    // Per channel, the pixel's error sum but for the 7/16 of the previous
    // pixel's error, whose colour is still being looked up: seven times the
    // level now, seven times the colour taken off once known.
    int sumR = above[0] + 8, sumG = above[1] + 8, sumB = above[2] + 8;
    static const Choice nothingChosen = {};
    const Choice* chosen = &nothingChosen;
    int x = first;
    for (int n = width; n > 0; --n, x += step, pixel += step * 3, out += step, above += step * 4, error += step * 4) {
        Receive<step>(x + 2 * step);
        const int atR = pixel[0] + damp[sumR + chosen->lessSeven[0]];
        const int atG = pixel[1] + damp[sumG + chosen->lessSeven[1]];
        const int atB = pixel[2] + damp[sumB + chosen->lessSeven[2]];
        // The shares add up to the choice's address, the last addition
        // made by the load itself: one step fewer in the chain than ORing
        // a place and scaling it.
        chosen = &ChoiceAt(choiceR[atR] + (shareG[atG] + shareB[atB]));
        const int index = chosen->index;
        *out = static_cast<uint8_t>(index);
        const int levelR = limit[atR];
        const int levelG = limit[atG];
        const int levelB = limit[atB];
        error[0] = static_cast<int16_t>(levelR - colors[index][0]);
        error[1] = static_cast<int16_t>(levelG - colors[index][1]);
        error[2] = static_cast<int16_t>(levelB - colors[index][2]);
        sumR = levelR * 7 + above[step * 4 + 0] + 8;
        sumG = levelG * 7 + above[step * 4 + 1] + 8;
        sumB = levelB * 7 + above[step * 4 + 2] + 8;
    }
}
