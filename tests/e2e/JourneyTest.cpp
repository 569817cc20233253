// A person's whole journey with Tessaly.exe: the first start, the schedule
// chosen in the window, the wallpaper walking through the folder, the
// window hidden and brought back by a second start, the program ended, and
// every setting found again at the next start. ctest runs it in English,
// in Chinese and in a 64-bit Wine prefix.

#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/e2e/Desktop.h"
#include "tests/e2e/Pictures.h"
#include "tests/e2e/Tessaly.h"
#include "tests/support/RealInput.h"
#include "tests/support/Registry.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <vector>

using namespace e2e;
using namespace testing_support;

namespace {

constexpr int kStretch = 2;

std::string Setting(const char* name)
{
    return ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name).value_or("<missing>");
}

void DeleteWallpaperBitmaps()
{
    for (const std::string& path : WallpaperBitmapLocations())
        DeleteFileA(path.c_str());
}

std::vector<std::string> FirstOf(const std::vector<std::string>& shown, std::size_t count)
{
    return std::vector<std::string>(shown.begin(), shown.begin() + std::min(count, shown.size()));
}

class Journey : public ::testing::Test {
  protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        DeleteWallpaperBitmaps();
    }
    void TearDown() override
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        PresetDesktopWallpaper("", 0);
        DeleteWallpaperBitmaps();
    }

    PictureFolder m_pictures;
    WallpaperWatch m_watch;
};

} // namespace

TEST_F(Journey, SetUpWatchedHiddenBroughtBackEndedAndFoundAsLeft)
{
    // The desktop already shows the folder's first picture, stretched, and
    // the program's picture is that one.
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "CurPicFileName", m_pictures.Path("a.bmp"));
    PresetDesktopWallpaper(m_pictures.Path("a.bmp"), kStretch);

    {
        Tessaly program;
        ASSERT_TRUE(program.BecomesVisible());
        EXPECT_TRUE(program.IsChecked(IDC_SHOW_PICTURE));
        EXPECT_TRUE(program.IsChecked(IDC_STYLE_STRETCH));
        EXPECT_TRUE(program.IsChecked(IDC_CHANGE_EACH_START)) << "a first start changes at each start";
        ASSERT_TRUE(m_watch.WaitFor(1));
        EXPECT_EQ("Q62", m_watch.Shown()[0]) << "the start itself moved on to b.jpg";

        // Every few minutes, at the shortest interval the window takes.
        ASSERT_TRUE(ClickWindow(program.Control(IDC_CHANGE_BY_INTERVAL)));
        ASSERT_TRUE(PumpUntil([&] { return program.IsChecked(IDC_CHANGE_BY_INTERVAL); }, kDeadline));
        EXPECT_TRUE(IsWindowEnabled(program.Control(IDC_INTERVAL_EDIT)));
        program.Type(IDC_INTERVAL_EDIT, L"0.0167");

        ASSERT_TRUE(m_watch.WaitFor(5));
        const std::vector<std::string> walk = {"Q62", "Q63", "Q64", "a.bmp", "Q62"};
        EXPECT_EQ(walk, FirstOf(m_watch.Shown(), 5));

        // Out of the way, then back through a second start of the program.
        program.SystemCommand(SC_MINIMIZE);
        ASSERT_TRUE(program.BecomesHidden());
        {
            Program second(ProgramPath(), "");
            DWORD exitCode = 99;
            EXPECT_TRUE(second.WaitForExit(kDeadline, &exitCode));
            EXPECT_EQ(0u, exitCode);
        }
        EXPECT_TRUE(program.BecomesVisible());
        EXPECT_EQ(1, CountWindowsWithCaption(L"Orvane Tessaly")) << "the second start made no window";

        PostMessageW(program.Window(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(program.Ends());
    }

    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_EQ("3", Setting("ChangeMode"));
    EXPECT_EQ("0.016700", Setting("ChangeTime"));
    EXPECT_EQ("2", Setting("ShowMode"));
    const std::string remembered = Setting("CurPicFileName");
    EXPECT_EQ(m_pictures.Folder(), remembered.substr(0, remembered.rfind('\\')));
    EXPECT_EQ(PictureFolder::ShownAs(remembered), ShownPicture()) << "it remembers the picture the desktop shows";

    // The next start finds everything as it was left and walks on from there.
    const std::size_t before = m_watch.Shown().size();
    Tessaly again;
    ASSERT_TRUE(again.BecomesVisible());
    EXPECT_TRUE(again.IsChecked(IDC_SHOW_PICTURE));
    EXPECT_TRUE(again.IsChecked(IDC_CHANGE_BY_INTERVAL));
    EXPECT_TRUE(again.IsChecked(IDC_STYLE_STRETCH));
    EXPECT_EQ(L"0.0167", again.Text(IDC_INTERVAL_EDIT));
    EXPECT_TRUE(IsWindowEnabled(again.Control(IDC_INTERVAL_EDIT)));
    ASSERT_TRUE(m_watch.WaitFor(before + 1));
    EXPECT_EQ(PictureFolder::ShownAs(PictureFolder::After(remembered)), m_watch.Shown()[before]);
    PostMessageW(again.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(again.Ends());
}
