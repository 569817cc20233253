#include "image/quantize/InverseColorMap.h"

#include <algorithm>
#include <climits>

namespace {

using namespace ColorCells;

constexpr int kBlockRedShift = 2;
constexpr int kBlockGreenShift = 3;
constexpr int kBlockBlueShift = 2;
constexpr int kBlockRed = 1 << kBlockRedShift;
constexpr int kBlockGreen = 1 << kBlockGreenShift;
constexpr int kBlockBlue = 1 << kBlockBlueShift;
constexpr int kBlockCells = kBlockRed * kBlockGreen * kBlockBlue;

// A place: the block (3 bits a channel) above the cell within it (2, 3
// and 2 bits), red before green before blue in both.
constexpr int kBlockBits = 3;
constexpr int kCellBits = kBlockRedShift + kBlockGreenShift + kBlockBlueShift;

uint32_t Place(int red, int green, int blue)
{
    const uint32_t block = static_cast<uint32_t>(
        (((red >> kBlockRedShift) << kBlockBits | green >> kBlockGreenShift) << kBlockBits) | blue >> kBlockBlueShift);
    const uint32_t cell = static_cast<uint32_t>(
        ((red & (kBlockRed - 1)) << kBlockGreenShift | (green & (kBlockGreen - 1))) << kBlockBlueShift |
        (blue & (kBlockBlue - 1)));
    return block << kCellBits | cell;
}

// The centres of one axis' cells in a block, in colour levels.
struct Span {
    int first;
    int last;
    int weight;
};

Span BlockSpan(int firstCell, int cells, int shift, int weight)
{
    const int first = (firstCell << shift) + ((1 << shift) >> 1);
    return {first, first + ((cells - 1) << shift), weight};
}

int Squared(int value)
{
    return value * value;
}

// The least and the greatest weighted squared distance along one axis
// between value and the span's centres.
void AxisDistances(int value, const Span& span, int& least, int& greatest)
{
    const int toFirst = Squared((value - span.first) * span.weight);
    const int toLast = Squared((value - span.last) * span.weight);
    if (value < span.first) {
        least = toFirst;
        greatest = toLast;
    } else if (value > span.last) {
        least = toLast;
        greatest = toFirst;
    } else {
        least = 0;
        greatest = value <= (span.first + span.last) >> 1 ? toLast : toFirst;
    }
}

} // namespace

InverseColorMap::InverseColorMap(const QuantizedPalette& palette) : palette(palette), nearest(new uint8_t[kCount])
{
    std::fill(nearest.get(), nearest.get() + kCount, kNotYet);
}

uint32_t InverseColorMap::Share(Channel channel, int level)
{
    switch (channel) {
    case kRed:
        return Place(level >> kRedShift, 0, 0);
    case kGreen:
        return Place(0, level >> kGreenShift, 0);
    default:
        return Place(0, 0, level >> kBlueShift);
    }
}

void InverseColorMap::FillBlockOf(uint32_t place)
{
    const uint32_t block = place >> kCellBits;
    const int red = static_cast<int>(block >> (2 * kBlockBits)) << kBlockRedShift;
    const int green = static_cast<int>(block >> kBlockBits & ((1 << kBlockBits) - 1)) << kBlockGreenShift;
    const int blue = static_cast<int>(block & ((1 << kBlockBits) - 1)) << kBlockBlueShift;
    const Span spans[3] = {BlockSpan(red, kBlockRed, kRedShift, kRedWeight),
                           BlockSpan(green, kBlockGreen, kGreenShift, kGreenWeight),
                           BlockSpan(blue, kBlockBlue, kBlueShift, kBlueWeight)};
    const uint8_t* const channels[3] = {palette.red.data(), palette.green.data(), palette.blue.data()};

    // Every cell of the block lies within the smallest greatest distance of
    // some colour, so a colour whose least distance is beyond that is
    // nearest to none of them.
    int least[256];
    int bound = INT_MAX;
    for (int index = 0; index < palette.count; ++index) {
        int sumLeast = 0;
        int sumGreatest = 0;
        for (int axis = 0; axis < 3; ++axis) {
            int axisLeast = 0;
            int axisGreatest = 0;
            AxisDistances(channels[axis][index], spans[axis], axisLeast, axisGreatest);
            sumLeast += axisLeast;
            sumGreatest += axisGreatest;
        }
        least[index] = sumLeast;
        if (sumGreatest < bound)
            bound = sumGreatest;
    }
    uint8_t candidates[256];
    int candidateCount = 0;
    for (int index = 0; index < palette.count; ++index)
        if (least[index] <= bound)
            candidates[candidateCount++] = static_cast<uint8_t>(index);

    int bestDistance[kBlockCells];
    uint8_t best[kBlockCells] = {};
    for (int& distance : bestDistance)
        distance = INT_MAX;
    for (int c = 0; c < candidateCount; ++c) {
        const int index = candidates[c];
        int at = 0;
        for (int r = 0; r < kBlockRed; ++r) {
            const int dr = Squared((spans[0].first + (r << kRedShift) - palette.red[index]) * kRedWeight);
            for (int g = 0; g < kBlockGreen; ++g) {
                const int dg =
                    dr + Squared((spans[1].first + (g << kGreenShift) - palette.green[index]) * kGreenWeight);
                for (int b = 0; b < kBlockBlue; ++b, ++at) {
                    const int distance =
                        dg + Squared((spans[2].first + (b << kBlueShift) - palette.blue[index]) * kBlueWeight);
                    if (distance < bestDistance[at]) {
                        bestDistance[at] = distance;
                        best[at] = static_cast<uint8_t>(index);
                    }
                }
            }
        }
    }

    // The block's cells lie in the order they were worked out in.
    std::copy(best, best + kBlockCells, nearest.get() + (block << kCellBits));
}
