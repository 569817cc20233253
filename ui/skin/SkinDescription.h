#pragma once
// A skin as its description file gives it: where its pictures lie, the
// window's shape, and one record per skin button. Plain data: the windows
// made from it belong to the skinned window (ui/SkinnedWindow.h).
// Shapes are region data (RGNDATA bytes); an empty block means "no shape of
// its own", so the window or button stays rectangular.

#include "ui/skin/SkinFile.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct SkinButtonSpec {
    std::array<std::string, kSkinButtonStates> imageNames;
    std::array<std::string, kSkinButtonStates> imagePaths;
    // In the window's client coordinates; right and bottom are left and top
    // plus the size of the normal picture.
    RECT rectangle = {};
    std::vector<uint8_t> region; // in the button's own coordinates
    std::string tooltip;
};

struct SkinDescription {
    std::string skinFolder; // full path of the skin folder
    std::string backgroundName;
    std::string backgroundPath;
    std::vector<uint8_t> windowRegion;
    std::vector<SkinButtonSpec> buttons; // at most kMaxSkinButtons, in index order

    int ButtonCount() const { return static_cast<int>(buttons.size()); }
};
