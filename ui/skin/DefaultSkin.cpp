#include "ui/skin/DefaultSkin.h"

#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "ui/skin/SkinDescriptionFile.h"
#include "ui/skin/SkinRegion.h"
#include "ui/skin/SkinScale.h"

namespace {

constexpr int kDefaultButtonCount = 6;
constexpr POINT kButtonPlaces[kDefaultButtonCount] = {{61, 15},  {147, 15},  {240, 19},
                                                      {61, 285}, {148, 285}, {240, 280}};

// Button 0 has a disabled picture of its own; the others show their pressed
// picture when disabled.
std::string StatePictureName(int index, int state)
{
    const int pictureState = (state == 3 && index != 0) ? 2 : state;
    return "button" + std::to_string(index) + "_" + std::to_string(pictureState) + ".bmp";
}

} // namespace

void SetDefaultSkin(SkinDescription& skin, int percent)
{
    skin.backgroundName = "bg.bmp";
    skin.backgroundPath = skin.skinFolder + "\\" + skin.backgroundName;
    skin.buttons.resize(kDefaultButtonCount);
    for (int index = 0; index < kDefaultButtonCount; ++index) {
        SkinButtonSpec& button = skin.buttons[index];
        for (int state = 0; state < static_cast<int>(kSkinButtonStates); ++state) {
            button.imageNames[state] = StatePictureName(index, state);
            button.imagePaths[state] = skin.skinFolder + "\\" + button.imageNames[state];
        }
        button.rectangle.left = ScaledSkinPlace(kButtonPlaces[index].x, percent);
        button.rectangle.top = ScaledSkinPlace(kButtonPlaces[index].y, percent);
        button.tooltip = LoadResourceString(IDS_TIP_SET_PICTURE + index);
    }
}

void RebuildDefaultSkin(SkinDescription& skin, HWND window, const std::string& programDirectory,
                        const std::string& folderName, int percent)
{
    SetDefaultSkin(skin, percent);
    int width = 0;
    int height = 0;
    BuildRegionFromBitmap(window, skin.backgroundPath, width, height, skin.windowRegion);
    for (SkinButtonSpec& button : skin.buttons) {
        width = 0;
        height = 0;
        BuildRegionFromBitmap(window, button.imagePaths[0], width, height, button.region);
        button.rectangle.right = button.rectangle.left + width;
        button.rectangle.bottom = button.rectangle.top + height;
    }
    SaveSkinDescription(skin, programDirectory, folderName);
}
