#include "engine/WallpaperBitmap.h"

#include "framework/FileSearch.h"
#include "framework/Path.h"
#include "image/ImageFileType.h"
#include "image/ImageObject.h"
#include "image/jpeg/JpegFullColour.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

namespace {

constexpr char kBitmapName[] = "\\Quorwall.bmp";
constexpr char kProgramFolder[] = "\\Orvane Tessaly";

// The picture of a file, or null when it is no picture type or does not
// load (width or height not positive).
std::unique_ptr<CImageObject> LoadPicture(const std::string& sourcePath, bool fullColour)
{
    const int type = ImageTypeForPictureFile(sourcePath);
    if (type < 0)
        return nullptr;
    std::unique_ptr<CImageObject> picture;
    if (fullColour && type == JPG) {
        picture = std::make_unique<CImageObject>();
        if (!LoadJpegFullColour(sourcePath, *picture))
            return nullptr;
    } else {
        picture = std::make_unique<CImageObject>(sourcePath, type);
    }
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
    // Under WOW64 our system directory is SysWOW64 on the disk: named so, the
    // file is found by the 64-bit desktop too (System32 is another folder to it).
    UINT length = GetSystemWow64DirectoryA(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        length = GetSystemDirectoryA(directory, MAX_PATH);
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

bool ConvertPictureToBitmap(const std::string& sourcePath, const std::string& bitmapPath, bool fullColour)
{
    const std::unique_ptr<CImageObject> picture = LoadPicture(sourcePath, fullColour);
    return picture && SaveBitmap(*picture, bitmapPath);
}

ConvertedWallpaper ConvertToWallpaperBitmap(const std::string& sourcePath, bool fullColour,
                                            const std::vector<std::string>& locations)
{
    ConvertedWallpaper converted;
    const std::unique_ptr<CImageObject> picture = LoadPicture(sourcePath, fullColour);
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

void RemoveFallbackBitmapOnceBack(const std::string& shownPath)
{
    if (lstrcmpiA(shownPath.c_str(), WallpaperBitmapPath().c_str()) != 0)
        return;
    const std::string local = LocalWallpaperBitmapPath();
    if (!local.empty())
        DeleteFileA(local.c_str());
}

void RemoveAbandonedBitmapFiles(const std::vector<std::string>& locations)
{
    for (const std::string& location : locations) {
        const std::string folder = DirectoryOfPath(location) + "\\";
        for (FileSearch search(folder + "~tq*.tmp"); search.HasMatch();) {
            if (!(search.Data().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + search.Data().cFileName).c_str());
            if (!search.Next())
                break;
        }
    }
}
