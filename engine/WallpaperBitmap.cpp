#include "engine/WallpaperBitmap.h"

#include "framework/Path.h"
#include "image/ImageFileType.h"
#include "image/ImageObject.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

namespace {

constexpr char kBitmapName[] = "\\Quorwall.bmp";
constexpr char kProgramFolder[] = "\\Orvane Tessaly";

// The picture of a file, or null when it is no picture type or does not
// load (width or height not positive).
std::unique_ptr<CImageObject> LoadPicture(const std::string& sourcePath)
{
    const int type = ImageTypeForPictureFile(sourcePath);
    if (type < 0)
        return nullptr;
    auto picture = std::make_unique<CImageObject>(sourcePath, type);
    if (picture->GetWidth() <= 0 || picture->GetHeight() <= 0)
        return nullptr;
    return picture;
}

// Saved at its own size and depth: the display style does the fitting.
bool SaveBitmap(CImageObject& picture, const std::string& bitmapPath)
{
    return picture.Save(bitmapPath, -1) == 1;
}

} // namespace

std::string WallpaperBitmapPath()
{
    char directory[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
    return std::string(directory, length < MAX_PATH ? length : 0) + kBitmapName;
}

std::string LocalWallpaperBitmapPath()
{
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return std::string();
    return std::string(folder) + kProgramFolder + kBitmapName;
}

std::vector<std::string> WallpaperBitmapLocations()
{
    std::vector<std::string> locations = {WallpaperBitmapPath()};
    const std::string local = LocalWallpaperBitmapPath();
    if (!local.empty())
        locations.push_back(local);
    return locations;
}

bool ConvertPictureToBitmap(const std::string& sourcePath, const std::string& bitmapPath)
{
    const std::unique_ptr<CImageObject> picture = LoadPicture(sourcePath);
    return picture && SaveBitmap(*picture, bitmapPath);
}

ConvertedWallpaper ConvertToWallpaperBitmap(const std::string& sourcePath, const std::vector<std::string>& locations)
{
    ConvertedWallpaper converted;
    const std::unique_ptr<CImageObject> picture = LoadPicture(sourcePath);
    if (!picture)
        return converted;
    converted.pictureRead = true;
    for (const std::string& location : locations) {
        CreateDirectoryA(DirectoryOfPath(location).c_str(), nullptr);
        if (SaveBitmap(*picture, location)) {
            converted.bitmapPath = location;
            break;
        }
    }
    return converted;
}
