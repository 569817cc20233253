#include "engine/PictureCatalogue.h"

#include "engine/PictureFiles.h"
#include "framework/Path.h"

#include <windows.h>

#include <algorithm>

namespace {

// The absolute form of the folder, ending in a backslash. It is taken from
// the search pattern itself, so it names the folder the search really
// reads: "C:" + "\*" is the root of C, while "C:" alone would be the
// current directory of drive C; the empty folder is the root of the
// current drive.
std::string AbsoluteSearchFolder(const std::string& folder)
{
    std::string absolute = FullPathOf(folder + "\\*");
    absolute.pop_back(); // the "*"
    return absolute;
}

std::vector<std::string> PicturesOfFolder(const std::string& folder)
{
    const std::string absoluteFolder = AbsoluteSearchFolder(folder);
    std::vector<std::string> pictures;
    for (const PictureFileEntry& file : ReadPictureFiles(absoluteFolder))
        pictures.push_back(absoluteFolder + file.name);
    return pictures;
}

} // namespace

std::vector<std::string> PicturesAfter(const std::string& currentPath)
{
    std::vector<std::string> pictures = PicturesOfFolder(DirectoryOfPath(currentPath));
    // Byte for byte and case-sensitive: a path stored with another letter
    // case counts as a different picture.
    const auto current = std::find(pictures.begin(), pictures.end(), currentPath);
    if (current != pictures.end())
        std::rotate(pictures.begin(), current + 1, pictures.end());
    return pictures;
}
