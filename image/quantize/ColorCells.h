#pragma once
// RGB space cut into cells of 8 red, 4 green and 8 blue levels: 32 x 64 x 32
// cells, green the finest because the eye tells greens apart best. The
// quantiser counts pixels per cell and later keeps each cell's nearest
// palette colour in the same layout, blue varying fastest.

#include <cstdint>

namespace ColorCells {

constexpr int kRedShift = 3;
constexpr int kGreenShift = 2;
constexpr int kBlueShift = 3;
constexpr int kRedCells = 256 >> kRedShift;
constexpr int kGreenCells = 256 >> kGreenShift;
constexpr int kBlueCells = 256 >> kBlueShift;
constexpr int kCount = kRedCells * kGreenCells * kBlueCells;

constexpr int Index(int red, int green, int blue)
{
    return (red * kGreenCells + green) * kBlueCells + blue;
}

constexpr int IndexOf(int r, int g, int b)
{
    return Index(r >> kRedShift, g >> kGreenShift, b >> kBlueShift);
}

// Distances between colours weigh red twice and green three times as much
// as blue, roughly as the eye does.
constexpr int kRedWeight = 2;
constexpr int kGreenWeight = 3;
constexpr int kBlueWeight = 1;

} // namespace ColorCells
