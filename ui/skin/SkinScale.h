#pragma once
// Skins come at several scales: the 100 % pictures in the skin folder
// itself (where a skin made before there were scales has them) and those
// for 125, 150 and 200 % in a subfolder each, named by the scale, with a
// description file of their own. A window takes the nearest scale at or
// above its DPI and stretches that by what is left: nothing at 96, 120,
// 144 and 192 DPI.

#include <windows.h>

#include <functional>
#include <string>

constexpr int kSkinScales[] = {100, 125, 150, 200};

struct SkinScale {
    int percent = 100; // of the pictures taken
    // What places and pictures of that scale are stretched by for the window's DPI.
    int numerator = 1;
    int denominator = 1;

    int Apply(int value) const { return MulDiv(value, numerator, denominator); }
    bool Stretches() const { return numerator != denominator; }
};

// The pictures of `percent` among those that `hasPictures` says the skin
// has, for a window at `dpi`. 100 % is always there.
SkinScale ChooseSkinScale(UINT dpi, const std::function<bool(int percent)>& hasPictures);

// The folder name, under the program's folder, of a skin's pictures at `percent`.
std::string SkinScaleFolderName(const std::string& skinFolderName, int percent);

// A place of the 100 % layout at `percent`, rounded as the skin script rounds.
inline int ScaledSkinPlace(int value, int percent)
{
    return MulDiv(value, percent, 100);
}
