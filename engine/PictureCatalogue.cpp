#include "engine/PictureCatalogue.h"

#include "engine/PictureTree.h"

#include <algorithm>

std::vector<std::string> PicturesAfter(const std::vector<std::string>& pictures, const std::string& currentPath)
{
    std::vector<std::string> after = pictures;
    // Byte for byte and case-sensitive: a path stored with another letter
    // case counts as a different picture.
    const auto current = std::find(after.begin(), after.end(), currentPath);
    if (current != after.end())
        std::rotate(after.begin(), current + 1, after.end());
    return after;
}

std::vector<std::string> PicturesAfter(const std::string& currentPath)
{
    std::vector<std::string> pictures;
    for (CataloguedPicture& picture : WalkPictureTree(FolderOfCurrentPicture(currentPath)).pictures)
        pictures.push_back(std::move(picture.path));
    return PicturesAfter(pictures, currentPath);
}
