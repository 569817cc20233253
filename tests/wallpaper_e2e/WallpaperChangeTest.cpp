// Tessaly.exe changes the wallpaper by itself: through a real folder of
// pictures in interval mode, once a day in daily mode, and it sets the
// desktop icons to the stored option as it starts.

#include "engine/Wallpaper.h"
#include "tests/engine/ShellDesktopWindow.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WallpaperAnnouncements.h"
#include "tests/support/WindowHelpers.h"
#include "tests/wallpaper_e2e/RunningTessaly.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace wallpaper_e2e;
using testing_support::TempFolder;
using testing_support::WallpaperAnnouncements;

namespace {

// What the desktop shows: a picture's file name, or "Q<width>" for the
// converted bitmap, whose width tells which picture it holds.
std::string ShownPicture()
{
    const std::string wallpaper = DesktopValue("Wallpaper");
    if (wallpaper != WallpaperBitmapPath())
        return wallpaper.substr(wallpaper.rfind('\\') + 1);
    const auto size = BitmapFileSize(wallpaper);
    return size ? "Q" + std::to_string(size->first) : std::string("(unreadable bitmap)");
}

class PictureFolder {
  public:
    // a.bmp, b.bmp, c.jpg, d.png, e.gif, widths 21 to 25.
    PictureFolder()
    {
        int width = 21;
        for (const char* name : {"a.bmp", "b.bmp", "c.jpg", "d.png", "e.gif"})
            WritePicture(Path(name), width++, 4);
    }
    std::string Path(const std::string& name) const { return m_folder.Path() + "\\" + name; }

  private:
    TempFolder m_folder;
};

std::map<std::string, std::string> StoredSettings(const std::string& changeMode, const std::string& currentPicture)
{
    return {{"AutoRun", "0"},
            {"ChangeMode", changeMode},
            {"Today", "00000000"},
            {"ChangeTime", "30"},
            {"SetDefaultUser", "0"},
            {"Preview", "1"},
            {"CurPicFileName", currentPicture}};
}

TEST(WallpaperChanges, IntervalModeWalksThroughTheFolderInOrder)
{
    DeleteFileA(WallpaperBitmapPath().c_str());
    PictureFolder pictures;
    auto settings = StoredSettings("3", pictures.Path("a.bmp"));
    settings["ChangeTime"] = "0.0167"; // about one second
    PresetSettings(settings);
    // A wallpaper is already set, stretched: the program shows pictures, stretched.
    PresetDesktop(pictures.Path("a.bmp"), "0", "2");

    WallpaperAnnouncements announcements(ShownPicture);
    RunningTessaly program;
    ASSERT_NE(nullptr, program.Window());

    EXPECT_TRUE(announcements.WaitFor(5, 30000));
    const std::vector<std::string> expected = {"b.bmp", "Q23", "Q24", "Q25", "a.bmp"};
    const std::vector<std::string> firstFive(announcements.Shown().begin(),
                                             announcements.Shown().begin() +
                                                 std::min<std::size_t>(5, announcements.Shown().size()));
    EXPECT_EQ(expected, firstFive);
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ("0", DesktopValue("TileWallpaper"));
    EXPECT_EQ("2", ShellDesktopValue("WallpaperStyle"));

    ASSERT_TRUE(program.Close());
    // The picture it remembers is the one the desktop shows.
    const std::string current = Setting("CurPicFileName");
    const std::string last = DesktopValue("Wallpaper");
    if (last == WallpaperBitmapPath()) {
        const std::map<std::string, int> widths = {{"c.jpg", 23}, {"d.png", 24}, {"e.gif", 25}};
        const std::string name = current.substr(current.rfind('\\') + 1);
        ASSERT_EQ(1u, widths.count(name)) << current;
        EXPECT_EQ(widths.at(name), BitmapFileSize(last).value_or(std::make_pair(0, 0)).first);
    } else {
        EXPECT_EQ(last, current);
    }
    EXPECT_EQ("2", Setting("ShowMode"));
    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_EQ("3", Setting("ChangeMode"));
    DeleteFileA(WallpaperBitmapPath().c_str());
}

TEST(WallpaperChanges, DailyModeChangesOnceADay)
{
    PictureFolder pictures;
    PresetSettings(StoredSettings("2", pictures.Path("a.bmp")));
    PresetDesktop(pictures.Path("a.bmp"), "1", "0");

    {
        RunningTessaly first;
        ASSERT_NE(nullptr, first.Window());
        // The change happens while the window initialises.
        EXPECT_EQ(pictures.Path("b.bmp"), DesktopValue("Wallpaper"));
        EXPECT_EQ(TodayText(), Setting("Today")) << "written at once, not at the exit";
        EXPECT_EQ("1", DesktopValue("TileWallpaper"));
        ASSERT_TRUE(first.Close());
    }
    {
        RunningTessaly second;
        ASSERT_NE(nullptr, second.Window());
        EXPECT_EQ(pictures.Path("b.bmp"), DesktopValue("Wallpaper"));
        ASSERT_TRUE(second.Close());
    }
    EXPECT_EQ(pictures.Path("b.bmp"), Setting("CurPicFileName"));
}

TEST(WallpaperChanges, EachStartModeChangesAtEveryStartAndNeverModeNot)
{
    PictureFolder pictures;
    PresetSettings(StoredSettings("1", pictures.Path("a.bmp")));
    PresetDesktop(pictures.Path("a.bmp"), "0", "0");
    for (const char* expected : {"b.bmp", "c.jpg"}) {
        RunningTessaly program;
        ASSERT_NE(nullptr, program.Window());
        ASSERT_TRUE(program.Close());
        EXPECT_EQ(pictures.Path(expected), Setting("CurPicFileName"));
    }

    PresetSettings(StoredSettings("0", pictures.Path("a.bmp")));
    RunningTessaly program;
    ASSERT_NE(nullptr, program.Window());
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(pictures.Path("a.bmp"), Setting("CurPicFileName"));
}

TEST(WallpaperChanges, NoPictureOnTheDesktopMeansNoChange)
{
    PictureFolder pictures;
    PresetSettings(StoredSettings("1", pictures.Path("a.bmp")));
    PresetDesktop("", "0", "0");
    RunningTessaly program;
    ASSERT_NE(nullptr, program.Window());
    EXPECT_FALSE(IsWindowEnabled(program.Control(1005))) << "the change radios wait for a picture";
    ASSERT_TRUE(program.Close());
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_EQ("0", Setting("ShowPic"));
    EXPECT_EQ(pictures.Path("a.bmp"), Setting("CurPicFileName"));
}

TEST(DesktopIconsAtStart, TheStoredOptionIsAppliedAndAMissingOneLeavesTheDesktopAlone)
{
    ShellDesktopWindow desktop;
    auto settings = StoredSettings("0", "");
    PresetDesktop("", "0", "0");

    settings["HideShowDesktopIcon"] = "1";
    PresetSettings(settings);
    {
        RunningTessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_FALSE(desktop.IsVisible());
        ASSERT_TRUE(program.Close());
    }
    EXPECT_FALSE(desktop.IsVisible()) << "the icons stay hidden after the program ends";

    settings["HideShowDesktopIcon"] = "0";
    PresetSettings(settings);
    {
        RunningTessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_TRUE(desktop.IsVisible()) << "shown again, although someone else hid them";
        ASSERT_TRUE(program.Close());
    }

    settings.erase("HideShowDesktopIcon");
    PresetSettings(settings);
    desktop.SetVisible(false);
    {
        RunningTessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_FALSE(desktop.IsVisible()) << "without a stored option the desktop is left as it is";
        ASSERT_TRUE(program.Close());
    }
}

} // namespace
