// The main window's check boxes and radio buttons, clicked through real
// button messages, act on the registry and the desktop at once.

#include "engine/LogonStart.h"
#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "tests/engine/ShellDesktopWindow.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"
#include "tests/wallpaper_e2e/RunningTessaly.h"

#include <gtest/gtest.h>

using namespace wallpaper_e2e;
using testing_support::ReadStringValue;
using testing_support::TempFolder;

namespace {

class WindowControlsTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        a = folder.Path() + "\\a.bmp";
        b = folder.Path() + "\\b.bmp";
        WritePicture(a, 8, 8);
        WritePicture(b, 9, 9);
        RemoveRunEntries();
    }

    // Starts the program with a picture on the desktop (or none) in a mode.
    void Start(const std::string& changeMode = "0", bool pictureShown = true)
    {
        PresetSettings({{"AutoRun", "0"},
                        {"ChangeMode", changeMode},
                        {"Today", "00000000"},
                        {"ChangeTime", "30"},
                        {"SetDefaultUser", "0"},
                        {"HideShowDesktopIcon", "0"},
                        {"Preview", "1"},
                        {"CurPicFileName", a}});
        PresetDesktop(pictureShown ? a : "", "0", "0");
        program = std::make_unique<RunningTessaly>();
        ASSERT_NE(nullptr, program->Window());
    }

    void TearDown() override
    {
        if (program) {
            EXPECT_TRUE(program->Close());
        }
        RemoveRunEntries();
    }

    static void RemoveRunEntries()
    {
        CRegistryKey machineKey;
        UnregisterLogonStart(machineKey);
    }

    bool Checked(int id) const { return SendMessageW(program->Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) const { return IsWindowEnabled(program->Control(id)) != FALSE; }

    TempFolder folder;
    std::string a;
    std::string b;
    std::unique_ptr<RunningTessaly> program;
};

TEST_F(WindowControlsTest, HideDesktopIconsHidesAndShowsTheDesktopWindowAndStoresTheFlag)
{
    Start();
    ShellDesktopWindow desktop;
    ASSERT_TRUE(program->Click(IDC_HIDE_DESKTOP_ICONS));
    EXPECT_FALSE(desktop.IsVisible());
    EXPECT_EQ("1", Setting("HideShowDesktopIcon"));
    ASSERT_TRUE(program->Click(IDC_HIDE_DESKTOP_ICONS));
    EXPECT_TRUE(desktop.IsVisible());
    EXPECT_EQ("0", Setting("HideShowDesktopIcon"));
}

TEST_F(WindowControlsTest, RunAtLogOnWritesAndRemovesTheRunEntry)
{
    Start();
    ASSERT_TRUE(program->Click(IDC_AUTO_RUN));
    // Quoted: unquoted, a path with spaces would let C:\Program.exe start first.
    EXPECT_EQ("\"" + ProgramPath() + "\" min", ReadStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName));
    EXPECT_EQ("1", Setting("AutoRun"));
    EXPECT_TRUE(Checked(IDC_AUTO_RUN));

    // Entries an earlier version wrote, unquoted, go too.
    testing_support::WriteStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, ProgramPath() + " min");
    testing_support::WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName, ProgramPath() + " min");
    ASSERT_TRUE(program->Click(IDC_AUTO_RUN));
    EXPECT_FALSE(ReadStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName).has_value());
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName).has_value());
    EXPECT_EQ("0", Setting("AutoRun"));
}

TEST_F(WindowControlsTest, DefaultUserIsStoredAndUsedByTheNextApply)
{
    Start();
    ASSERT_TRUE(program->Click(IDC_SET_DEFAULT_USER));
    EXPECT_EQ("1", Setting("SetDefaultUser"));
    testing_support::WriteStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, "Wallpaper", "before");
    ASSERT_TRUE(program->Click(IDC_STYLE_STRETCH));
    EXPECT_EQ(a, ReadStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, "Wallpaper"));
    EXPECT_EQ("2", ReadStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, "WallpaperStyle"));
}

TEST_F(WindowControlsTest, ChangeModeRadiosScheduleAndStoreTheMode)
{
    Start();
    // Daily with no change yet today: the next picture at once.
    ASSERT_TRUE(program->Click(IDC_CHANGE_DAILY));
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
    EXPECT_EQ("2", Setting("ChangeMode"));
    EXPECT_EQ(TodayText(), Setting("Today"));
    EXPECT_FALSE(Enabled(IDC_INTERVAL_EDIT));

    ASSERT_TRUE(program->Click(IDC_CHANGE_DAILY));
    EXPECT_EQ(b, DesktopValue("Wallpaper")) << "one change a day";

    ASSERT_TRUE(program->Click(IDC_CHANGE_BY_INTERVAL));
    EXPECT_EQ("3", Setting("ChangeMode"));
    EXPECT_TRUE(Enabled(IDC_INTERVAL_EDIT));
    EXPECT_EQ(b, DesktopValue("Wallpaper")) << "no change when interval mode is chosen";

    ASSERT_TRUE(program->Click(IDC_CHANGE_EACH_START));
    EXPECT_EQ("1", Setting("ChangeMode"));
    EXPECT_FALSE(Enabled(IDC_INTERVAL_EDIT));
    ASSERT_TRUE(program->Click(IDC_CHANGE_NEVER));
    EXPECT_EQ("0", Setting("ChangeMode"));
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
}

TEST_F(WindowControlsTest, StyleRadiosApplyTheCurrentPictureInTheNewStyle)
{
    Start();
    ASSERT_TRUE(program->Click(IDC_STYLE_TILE));
    EXPECT_EQ("1", DesktopValue("TileWallpaper"));
    EXPECT_EQ("0", DesktopValue("WallpaperStyle"));
    EXPECT_EQ("1", ShellDesktopValue("TileWallpaper"));
    EXPECT_EQ(a, DesktopValue("Wallpaper"));
    EXPECT_EQ("1", Setting("ShowMode"));

    ASSERT_TRUE(program->Click(IDC_STYLE_STRETCH));
    EXPECT_EQ("0", DesktopValue("TileWallpaper"));
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ("2", Setting("ShowMode"));
}

TEST_F(WindowControlsTest, ShowPictureRemovesAndRestoresTheWallpaperAndTheControls)
{
    Start();
    ASSERT_TRUE(program->Click(IDC_STYLE_TILE));
    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE));
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_EQ("", ShellDesktopValue("Wallpaper"));
    EXPECT_EQ("1", DesktopValue("TileWallpaper")) << "the style stays";
    EXPECT_EQ("0", Setting("ShowPic"));
    for (int id : {IDC_CHANGE_NEVER, IDC_CHANGE_DAILY, IDC_STYLE_TILE, IDC_STYLE_STRETCH, IDC_INTERVAL_EDIT})
        EXPECT_FALSE(Enabled(id)) << id;

    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE));
    EXPECT_EQ(a, DesktopValue("Wallpaper"));
    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_TRUE(Checked(IDC_SHOW_PICTURE));
    for (int id : {IDC_CHANGE_NEVER, IDC_CHANGE_DAILY, IDC_STYLE_TILE, IDC_STYLE_STRETCH})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_INTERVAL_EDIT)) << "only interval mode takes an interval";
}

TEST_F(WindowControlsTest, TickingShowPictureInDailyModeShowsTheChoiceThenTheNextPicture)
{
    // Daily mode, no change yet today, no picture shown: nothing changes at start.
    Start("2", false);
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_EQ("00000000", Setting("Today"));

    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE));
    EXPECT_EQ(b, DesktopValue("Wallpaper")) << "the chosen a.bmp, then at once the picture after it";
    EXPECT_EQ(TodayText(), Setting("Today"));

    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE)); // off
    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE)); // on again the same day: the choice only
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
}

TEST_F(WindowControlsTest, ANewIntervalTakesEffectAtOnce)
{
    Start("3");
    ASSERT_TRUE(Enabled(IDC_INTERVAL_EDIT));
    DWORD_PTR result = 0;
    // Typed as a user would: the edit gets the text and tells the window.
    SendMessageTimeoutW(program->Control(IDC_INTERVAL_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"0.0167"),
                        SMTO_NORMAL, 5000, &result);
    EXPECT_EQ("0.016700", Setting("ChangeTime"));
    // Thirty minutes were running; the new period is about one second.
    EXPECT_TRUE(testing_support::PumpUntil([&] { return DesktopValue("Wallpaper") == b; }, 10000));
}

TEST_F(WindowControlsTest, MinimisingHidesTheWindowInsteadOfIconisingIt)
{
    Start();
    HWND window = program->Window();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(IsIconic(window));

    SendMessageTimeoutW(window, WM_COMMAND, IDM_SHOW_WINDOW, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_TRUE(IsWindowVisible(window));
    SendMessageTimeoutW(window, WM_COMMAND, IDM_HIDE_WINDOW, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_FALSE(IsWindowVisible(window));
}

} // namespace
