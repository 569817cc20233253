// A standard user cannot write the system directory, where the converted
// wallpaper goes first. Wine lets every write succeed, so a directory named
// like the bitmap file stands in the way here instead.

#include "engine/Wallpaper.h"
#include "framework/Path.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TessalyState.h"
#include "tests/wallpaper_e2e/OneChange.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

using namespace wallpaper_e2e;
using namespace testing_support;

namespace {

// A directory where the bitmap file should be written, removed at the end.
class BlockedFile {
  public:
    explicit BlockedFile(std::string path) : m_path(std::move(path))
    {
        DeleteFileA(m_path.c_str());
        CreateDirectoryA(DirectoryOfPath(m_path).c_str(), nullptr);
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~BlockedFile() { RemoveDirectoryA(m_path.c_str()); }
    BlockedFile(const BlockedFile&) = delete;
    BlockedFile& operator=(const BlockedFile&) = delete;

  private:
    std::string m_path;
};

TEST(StandardUser, TheConvertedWallpaperGoesWhereItCanBeWrittenAndNowhereElse)
{
    const std::string local = LocalWallpaperBitmapPath();
    DeleteFileA(local.c_str());
    RemoveDirectoryA(DirectoryOfPath(local).c_str()); // made when needed
    std::optional<BlockedFile> systemDirectory(WallpaperBitmapPath());
    TempFolder folder;
    ASSERT_TRUE(WritePicture(folder.File("c.jpg"), 31, 4));
    ASSERT_TRUE(WritePicture(folder.File("d.png"), 32, 4));

    StartOnce(folder.File("c.jpg"));
    ExpectDesktopShows(local);
    EXPECT_EQ(std::make_pair(32, 4), BitmapFileSize(local).value_or(std::make_pair(0, 0)));
    {
        const BlockedFile localFolder(local);
        StartOnce(folder.File("d.png"));
        ExpectDesktopShows(kEarlierWallpaper);
        EXPECT_EQ(folder.File("c.jpg"), Setting("CurPicFileName")) << "the sequence goes on";
    }
    StartOnce(folder.File("c.jpg"));
    ExpectDesktopShows(local);
    // Back in the system directory, the copy no longer shown goes.
    systemDirectory.reset();
    StartOnce(folder.File("c.jpg"));
    ExpectDesktopShows(WallpaperBitmapPath());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(local.c_str()));
    DeleteFileA(local.c_str());
    DeleteFileA(WallpaperBitmapPath().c_str());
}

} // namespace
