#pragma once
// The skin the main window holds: where its pictures lie, the window's
// shape, and one record per skin button with the button window itself.
// Shapes are region data (RGNDATA bytes); an empty block means "no shape of
// its own", so the window or button stays rectangular.

#include "ui/skin/SkinFile.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CSkinButton;

struct SkinButtonSpec {
    SkinButtonSpec();
    ~SkinButtonSpec();
    SkinButtonSpec(SkinButtonSpec&&) noexcept;
    SkinButtonSpec& operator=(SkinButtonSpec&&) noexcept;

    std::array<std::string, kSkinButtonStates> imageNames;
    std::array<std::string, kSkinButtonStates> imagePaths;
    // In the window's client coordinates; right and bottom are left and top
    // plus the size of the normal picture.
    RECT rectangle = {};
    std::vector<uint8_t> region; // in the button's own coordinates
    std::string tooltip;
    std::unique_ptr<CSkinButton> button; // created with the main window
};

struct SkinDescription {
    std::string skinFolder; // full path of the skin folder
    std::string backgroundName;
    std::string backgroundPath;
    std::vector<uint8_t> windowRegion;
    std::vector<SkinButtonSpec> buttons; // at most kMaxSkinButtons, in index order
    int hoverIndex = -1;                 // the button that last reported the mouse over it

    int ButtonCount() const { return static_cast<int>(buttons.size()); }
};
