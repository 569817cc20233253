// Tessaly.exe against the folders users really have: pictures in the root
// of a drive, folders that are empty or gone for a while, and files that
// only look like pictures. Each start makes one change (each-start mode)
// while the window initialises, so the values it leaves tell what it did.

#include "engine/Wallpaper.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/BmpBuilder.h"
#include "tests/image/support/FileBytes.h"
#include "tests/support/TempFolder.h"
#include "tests/wallpaper_e2e/OneChange.h"
#include "tests/wallpaper_e2e/RunningTessaly.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace wallpaper_e2e;
using testing_support::TempFolder;

namespace {

std::vector<uint8_t> RandomBytes(size_t count)
{
    std::vector<uint8_t> bytes(count);
    uint32_t state = 12345;
    for (uint8_t& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<uint8_t>(state >> 16);
    }
    return bytes;
}

// Files named as pictures that no reader can take: empty, noise, and a BMP
// header that asks for a 100000 x 100000 picture it does not hold.
void AddUnreadablePictures(const TempFolder& folder)
{
    folder.AddFile("zero.bmp", "");
    WriteFileBytes(folder.File("noise.bmp"), RandomBytes(4096));
    BmpContents lying;
    lying.width = 100000;
    lying.height = 100000;
    WriteFileBytes(folder.File("lying.bmp"), BuildBmp(lying));
    WriteFileBytes(folder.File("noise.jpg"), RandomBytes(4096));
    folder.AddFile("zero.png", "");
    WriteFileBytes(folder.File("noise.gif"), RandomBytes(4096));
}

struct FileRemovedAtEnd {
    std::string path;
    ~FileRemovedAtEnd() { DeleteFileA(path.c_str()); }
};

class PictureFolderFaults : public ::testing::Test {
  protected:
    void SetUp() override { DeleteFileA(WallpaperBitmapPath().c_str()); }
    void TearDown() override { DeleteFileA(WallpaperBitmapPath().c_str()); }
};

TEST_F(PictureFolderFaults, APictureInADriveRootIsLookedForInTheRootNotInTheCurrentDirectory)
{
    const std::string picture = "C:\\tessaly root picture.bmp";
    const FileRemovedAtEnd removed{picture};
    ASSERT_TRUE(WritePicture(picture, 5, 5));
    const std::string windowsFolder = "C:\\windows";

    StartOnce(picture, windowsFolder);
    EXPECT_EQ(picture, Setting("CurPicFileName")) << "the only picture of C:\\ follows itself";
    EXPECT_EQ(picture, DesktopValue("Wallpaper"));

    // An empty current picture searches the root of the current drive, and
    // what it finds is stored with its drive.
    StartOnce("", windowsFolder);
    EXPECT_EQ(picture, Setting("CurPicFileName"));
    EXPECT_EQ(picture, DesktopValue("Wallpaper"));
    EXPECT_EQ(picture, ShellDesktopValue("BackupWallpaper"));
}

TEST_F(PictureFolderFaults, DamagedPicturesArePassedOverInTheSameChange)
{
    TempFolder folder;
    AddUnreadablePictures(folder);
    // A JPEG cut short still decodes in part: it counts as a picture.
    ASSERT_TRUE(WritePicture(folder.File("whole.jpg"), 40, 30));
    std::vector<uint8_t> jpeg = ReadFileBytes(folder.File("whole.jpg"));
    DeleteFileA(folder.File("whole.jpg").c_str());
    jpeg.resize(jpeg.size() * 2 / 3);
    WriteFileBytes(folder.File("cut.jpg"), jpeg);

    StartOnce(folder.Path() + "\\");
    EXPECT_EQ(folder.File("cut.jpg"), Setting("CurPicFileName"));
    EXPECT_EQ(WallpaperBitmapPath(), DesktopValue("Wallpaper"));
    EXPECT_EQ(std::make_pair(40, 30), BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)));
}

TEST_F(PictureFolderFaults, NothingToShowLeavesTheDesktopAndTheCurrentPictureAlone)
{
    TempFolder empty;
    TempFolder damaged;
    AddUnreadablePictures(damaged);
    const std::string currentPictures[] = {
        empty.File("gone for now.bmp"), // a moment without files
        "Q:\\unplugged drive\\a.jpg",   // a drive that is not there
        damaged.File("zero.bmp"),       // nothing that can be read, the first start
    };
    for (const std::string& current : currentPictures) {
        SCOPED_TRACE(current);
        StartOnce(current);
        EXPECT_EQ(current, Setting("CurPicFileName"));
        ExpectDesktopUntouched();
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(WallpaperBitmapPath().c_str()))
            << "no bitmap file was made for the desktop to point at";
    }
}

} // namespace
