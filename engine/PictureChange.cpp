#include "engine/PictureChange.h"

#include "engine/PictureCatalogue.h"
#include "engine/Wallpaper.h"

std::optional<std::string> ShowNextPicture(const std::string& currentPicture, int alsoDefaultUser, int style)
{
    return ShowFirstReadable(PicturesAfter(currentPicture), alsoDefaultUser, style);
}

std::optional<std::string> ShowFirstReadable(const std::vector<std::string>& pictures, int alsoDefaultUser, int style)
{
    for (const std::string& picture : pictures) {
        switch (ApplyWallpaper(picture, alsoDefaultUser, style)) {
        case WallpaperChange::Shown:
            return picture;
        case WallpaperChange::BitmapNotWritten:
            // The next picture would meet the same full disk or closed folder.
            return picture;
        case WallpaperChange::PictureUnreadable:
            break;
        }
    }
    return std::nullopt;
}
