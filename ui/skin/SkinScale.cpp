#include "ui/skin/SkinScale.h"

#include "framework/Dpi.h"

SkinScale ChooseSkinScale(UINT dpi, const std::function<bool(int percent)>& hasPictures)
{
    // The window wants dpi * 100 / 96 %; a smaller scale would be blown up.
    int chosen = 0;
    int largest = 100;
    for (int percent : kSkinScales) {
        if (percent != 100 && !hasPictures(percent))
            continue;
        largest = percent;
        if (!chosen && static_cast<UINT>(percent) * kDefaultDpi >= dpi * 100)
            chosen = percent;
    }
    if (!chosen)
        chosen = largest;
    return {chosen, static_cast<int>(dpi) * 100, static_cast<int>(kDefaultDpi) * chosen};
}

std::string SkinScaleFolderName(const std::string& skinFolderName, int percent)
{
    return percent == 100 ? skinFolderName : skinFolderName + "\\" + std::to_string(percent);
}
