// Tessaly.exe against the folders users really have: pictures in the root
// of a drive, folders that are empty or gone for a while, and files that
// only look like pictures.

#include "engine/Wallpaper.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TessalyState.h"
#include "tests/wallpaper_e2e/OneChange.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <random>

using namespace wallpaper_e2e;
using namespace testing_support;

namespace {

// Files named as pictures that no reader can take: empty, random bytes, and
// a BMP header that asks for a 100000 x 100000 picture.
void AddUnreadablePictures(const TempFolder& folder)
{
    std::mt19937 random(7);
    std::vector<uint8_t> noise(4096);
    for (uint8_t& byte : noise)
        byte = static_cast<uint8_t>(random());
    BmpContents lying;
    lying.width = lying.height = 100000;
    WriteFileBytes(folder.File("lying.bmp"), BuildBmp(lying));
    for (const char* name : {"noise.bmp", "noise.jpg", "noise.gif"})
        WriteFileBytes(folder.File(name), noise);
    folder.AddFile("zero.bmp", "");
    folder.AddFile("zero.png", "");
}

TEST(PictureFolderFaults, APictureInADriveRootIsLookedForInTheRootNotInTheCurrentDirectory)
{
    const std::string picture = "C:\\tessaly root picture.bmp";
    ASSERT_TRUE(WritePicture(picture, 5, 5));
    StartOnce(picture, "C:\\windows");
    EXPECT_EQ(picture, Setting("CurPicFileName")) << "the only picture of C:\\ follows itself";
    EXPECT_EQ(picture, DesktopValue("Wallpaper"));
    // An empty current picture searches the root of the current drive.
    StartOnce("", "C:\\windows");
    EXPECT_EQ(picture, Setting("CurPicFileName"));
    ExpectDesktopShows(picture);
    DeleteFileA(picture.c_str());
}

TEST(PictureFolderFaults, DamagedPicturesArePassedOverInTheSameChange)
{
    TempFolder folder;
    AddUnreadablePictures(folder);
    // A JPEG cut short, as an interrupted copy leaves it, is passed over too.
    ASSERT_TRUE(WritePicture(folder.File("cut.jpg"), 40, 30, 67));
    ASSERT_TRUE(WritePicture(folder.File("whole.gif"), 40, 30));

    DeleteFileA(WallpaperBitmapPath().c_str());
    StartOnce(folder.Path() + "\\");
    EXPECT_EQ(folder.File("whole.gif"), Setting("CurPicFileName"));
    ExpectDesktopShows(WallpaperBitmapPath());
    EXPECT_EQ(std::make_pair(40, 30), BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)));
}

TEST(PictureFolderFaults, NothingToShowLeavesTheDesktopAndTheCurrentPictureAlone)
{
    DeleteFileA(WallpaperBitmapPath().c_str()); // a first start: nothing converted yet
    TempFolder empty;
    TempFolder damaged;
    AddUnreadablePictures(damaged);
    for (const std::string& current :
         {empty.File("gone for now.bmp"), std::string("Q:\\unplugged drive\\a.jpg"), damaged.File("zero.bmp")}) {
        SCOPED_TRACE(current);
        StartOnce(current, "", 0);
        EXPECT_EQ(current, Setting("CurPicFileName"));
        ExpectDesktopShows(kEarlierWallpaper);
    }
}

} // namespace
