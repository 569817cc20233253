#include "engine/PictureChange.h"

#include "engine/PictureCatalogue.h"
#include "engine/Wallpaper.h"

std::optional<std::string> ShowNextPicture(const std::string& currentPicture, int alsoDefaultUser, int style)
{
    for (const std::string& picture : PicturesAfter(currentPicture)) {
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
