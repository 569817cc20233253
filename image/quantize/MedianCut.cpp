#include "image/quantize/MedianCut.h"

#include <vector>

namespace {

using namespace ColorCells;

constexpr int kShifts[3] = {kRedShift, kGreenShift, kBlueShift};
constexpr int kWeights[3] = {kRedWeight, kGreenWeight, kBlueWeight};
constexpr int kRed = 0;
constexpr int kGreen = 1;
constexpr int kBlue = 2;

// A box of cells, bounds inclusive, in cell units per axis.
struct ColorBox {
    int low[3];
    int high[3];
    int32_t spread = 0;      // squared length of the weighted diagonal
    int32_t filledCells = 0; // cells holding at least one pixel
};

// The length of a box side in colour levels, weighted.
int32_t WeightedSide(const ColorBox& box, int axis)
{
    return ((box.high[axis] - box.low[axis]) << kShifts[axis]) * kWeights[axis];
}

// Shrinks the box to the cells that hold pixels and measures it. Its
// diagonal rather than its volume rates its size, which keeps long thin
// boxes from being left alone; a box of one cell has spread 0 and is never
// split.
void Measure(const ColorHistogram& histogram, ColorBox& box)
{
    int low[3] = {box.high[0], box.high[1], box.high[2]};
    int high[3] = {box.low[0], box.low[1], box.low[2]};
    int32_t filled = 0;
    for (int r = box.low[kRed]; r <= box.high[kRed]; ++r)
        for (int g = box.low[kGreen]; g <= box.high[kGreen]; ++g)
            for (int b = box.low[kBlue]; b <= box.high[kBlue]; ++b) {
                if (histogram.Count(r, g, b) == 0)
                    continue;
                ++filled;
                const int at[3] = {r, g, b};
                for (int axis = 0; axis < 3; ++axis) {
                    if (at[axis] < low[axis])
                        low[axis] = at[axis];
                    if (at[axis] > high[axis])
                        high[axis] = at[axis];
                }
            }
    if (filled > 0)
        for (int axis = 0; axis < 3; ++axis) {
            box.low[axis] = low[axis];
            box.high[axis] = high[axis];
        }
    box.filledCells = filled;
    box.spread = 0;
    for (int axis = 0; axis < 3; ++axis)
        box.spread += WeightedSide(box, axis) * WeightedSide(box, axis);
}

// While fewer than half the boxes exist, the box with the most filled cells
// is split (colours common in the picture get their share); after that the
// biggest. Null when no box can be split.
ColorBox* BoxToSplit(std::vector<ColorBox>& boxes, int maxColors)
{
    const bool byFilledCells = static_cast<int>(boxes.size()) * 2 <= maxColors;
    ColorBox* chosen = nullptr;
    int32_t best = 0;
    for (ColorBox& box : boxes) {
        const int32_t size = byFilledCells ? box.filledCells : box.spread;
        if (size > best && box.spread > 0) {
            chosen = &box;
            best = size;
        }
    }
    return chosen;
}

// The longest weighted side; ties go to green, then red, then blue.
int LongestAxis(const ColorBox& box)
{
    int axis = kGreen;
    int32_t longest = WeightedSide(box, kGreen);
    if (WeightedSide(box, kRed) > longest) {
        axis = kRed;
        longest = WeightedSide(box, kRed);
    }
    if (WeightedSide(box, kBlue) > longest)
        axis = kBlue;
    return axis;
}

// The mean colour of the box's pixels, each cell counted at its centre. The
// sums are kept in 32 bits that wrap, as libjpeg's are where it is built
// with a 32-bit long (our Windows build): a box of very many bright pixels
// then gets the same odd colour from both.
void MeanColor(const ColorHistogram& histogram, const ColorBox& box, int index, QuantizedPalette& palette)
{
    uint32_t total = 0;
    uint32_t sums[3] = {0, 0, 0};
    for (int r = box.low[kRed]; r <= box.high[kRed]; ++r)
        for (int g = box.low[kGreen]; g <= box.high[kGreen]; ++g)
            for (int b = box.low[kBlue]; b <= box.high[kBlue]; ++b) {
                const uint32_t count = histogram.Count(r, g, b);
                if (count == 0)
                    continue;
                total += count;
                const int at[3] = {r, g, b};
                for (int axis = 0; axis < 3; ++axis)
                    sums[axis] += ((uint32_t(at[axis]) << kShifts[axis]) + ((1u << kShifts[axis]) >> 1)) * count;
            }
    const int32_t signedTotal = static_cast<int32_t>(total);
    uint8_t* const channels[3] = {palette.red.data(), palette.green.data(), palette.blue.data()};
    for (int axis = 0; axis < 3; ++axis) {
        const int32_t rounded = static_cast<int32_t>(sums[axis] + static_cast<uint32_t>(signedTotal >> 1));
        channels[axis][index] = static_cast<uint8_t>(signedTotal == 0 ? 0 : rounded / signedTotal);
    }
}

} // namespace

QuantizedPalette MedianCut(const ColorHistogram& histogram, int maxColors)
{
    std::vector<ColorBox> boxes;
    boxes.reserve(static_cast<size_t>(maxColors));
    ColorBox all;
    for (int axis = 0; axis < 3; ++axis) {
        all.low[axis] = 0;
        all.high[axis] = (256 >> kShifts[axis]) - 1;
    }
    Measure(histogram, all);
    boxes.push_back(all);

    while (static_cast<int>(boxes.size()) < maxColors) {
        ColorBox* const first = BoxToSplit(boxes, maxColors);
        if (!first)
            break;
        // Halfway along the longest side. The box was shrunk to its filled
        // cells, so both halves hold pixels.
        ColorBox second = *first;
        const int axis = LongestAxis(*first);
        const int middle = (first->low[axis] + first->high[axis]) / 2;
        first->high[axis] = middle;
        second.low[axis] = middle + 1;
        Measure(histogram, *first);
        Measure(histogram, second);
        boxes.push_back(second);
    }

    QuantizedPalette palette;
    palette.count = static_cast<int>(boxes.size());
    for (int index = 0; index < palette.count; ++index)
        MeanColor(histogram, boxes[static_cast<size_t>(index)], index, palette);
    return palette;
}
