// The main window's check boxes and radio buttons, clicked through real
// button messages, act on the registry and the desktop at once.

#include "engine/LogonStart.h"
#include "engine/TodayText.h"
#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "tests/engine/ShellDesktopWindow.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

constexpr DWORD kWait = 15000; // ms
constexpr wchar_t kSelectPictureCaption[] = L"Select Picture";

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
    void Start(const std::string& changeMode = "0", bool pictureShown = true, const std::string& changeTime = "30")
    {
        auto settings = UsualSettings(changeMode, a);
        settings["ChangeTime"] = changeTime;
        PresetSettings(settings);
        PresetDesktop(pictureShown ? a : "");
        program = std::make_unique<Tessaly>();
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

    bool Checked(int id) const { return program->IsChecked(id); }

    // Ticks the show-picture box, which opens the select-picture dialog;
    // `inDialog` acts in it, then `button` closes it. Returns once the main
    // window has finished with the click.
    void TickShowPicture(int button, const std::function<void(HWND)>& inDialog = nullptr)
    {
        program->PostClick(IDC_SHOW_PICTURE);
        HWND dialog = program->WaitForWindow(kSelectPictureCaption);
        ASSERT_NE(nullptr, dialog) << "no select-picture dialog";
        // The caption comes with the window, the controls after it; the
        // dialog shows once it is ready.
        ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(dialog) != FALSE; }, kWait));
        if (inDialog)
            inDialog(dialog);
        PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, kWait));
        // The click's last step stores the settings (after OK) or unticks
        // the box (after Cancel). The window answers messages sent to it
        // while it sets the wallpaper, so only the outcome says it is done.
        if (button == IDOK)
            ASSERT_TRUE(PumpUntil([&] { return Setting("ShowPic") == "1"; }, kWait));
        else
            ASSERT_TRUE(PumpUntil([&] { return !Checked(IDC_SHOW_PICTURE); }, kWait));
    }
    bool Enabled(int id) const { return program->IsEnabled(id); }

    TempFolder folder;
    std::string a;
    std::string b;
    std::unique_ptr<Tessaly> program;
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
    WriteStringValue(HKEY_LOCAL_MACHINE, kRunKeyPath, kRunValueName, ProgramPath() + " min");
    WriteStringValue(HKEY_CURRENT_USER, kUserRunKeyPath, kRunValueName, ProgramPath() + " min");
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
    WriteStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, "Wallpaper", "before");
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
    EXPECT_EQ(GetTodayText(), Setting("Today"));
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

    TickShowPicture(IDOK); // the current picture stays the choice
    EXPECT_EQ(a, DesktopValue("Wallpaper"));
    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_TRUE(Checked(IDC_SHOW_PICTURE));
    for (int id : {IDC_CHANGE_NEVER, IDC_CHANGE_DAILY, IDC_STYLE_TILE, IDC_STYLE_STRETCH})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_INTERVAL_EDIT)) << "only interval mode takes an interval";
}

TEST_F(WindowControlsTest, AnUnreadableChoiceIsPassedOverAndTheStyleIsKeptAnyway)
{
    Start();
    const std::string damaged = "BM this is no picture";
    folder.AddFile("a.bmp", damaged);
    ASSERT_TRUE(program->Click(IDC_STYLE_TILE));
    EXPECT_EQ("1", DesktopValue("TileWallpaper")) << "the next start takes the style from here";
    EXPECT_EQ(a, DesktopValue("Wallpaper"));

    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE)); // off
    TickShowPicture(IDOK);                         // a.bmp again: b.bmp shows instead
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
    EXPECT_EQ(b, Setting("CurPicFileName"));

    // Nothing of the folder can be read: the box goes off again, with the reason.
    folder.AddFile("b.bmp", damaged);
    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE));
    program->PostClick(IDC_SHOW_PICTURE);
    HWND dialog = program->WaitForWindow(kSelectPictureCaption);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(dialog) != FALSE; }, kWait));
    const std::vector<std::wstring> messages = program->MessagesDuring([&] {
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        PumpUntil([&] { return !Checked(IDC_SHOW_PICTURE) && Setting("ShowPic") == "0"; }, kWait);
    });
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::wstring::npos, messages[0].find(L"can be read"));
    EXPECT_FALSE(Checked(IDC_SHOW_PICTURE));
    EXPECT_EQ("0", Setting("ShowPic"));
    EXPECT_EQ("", DesktopValue("Wallpaper"));
}

TEST_F(WindowControlsTest, TickingShowPictureInDailyModeShowsTheChoiceThenTheNextPicture)
{
    // Daily mode, no change yet today, no picture shown: nothing changes at start.
    Start("2", false);
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_EQ("00000000", Setting("Today"));

    TickShowPicture(IDOK);
    EXPECT_EQ(b, DesktopValue("Wallpaper")) << "the chosen a.bmp, then at once the picture after it";
    EXPECT_EQ(GetTodayText(), Setting("Today"));

    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE)); // off
    TickShowPicture(IDOK);                         // on again the same day: the choice only
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
}

TEST_F(WindowControlsTest, ThePictureChosenInTheDialogBecomesTheWallpaperAndTheIntervalStarts)
{
    // Interval mode with no picture shown yet, Preview on.
    Start("3", false, "0.05");
    ASSERT_FALSE(Checked(IDC_SHOW_PICTURE));
    TickShowPicture(IDOK, [&](HWND dialog) {
        // The list shows b.bmp above a.bmp; Home chooses it, and Preview goes off.
        PostMessageW(GetDlgItem(dialog, IDC_FILE_LIST), WM_KEYDOWN, VK_HOME, 1);
        const std::wstring chosen(b.begin(), b.end());
        EXPECT_TRUE(PumpUntil([&] { return WindowTextW(GetDlgItem(dialog, IDC_CURRENT_FILE)) == chosen; }, kWait));
        PostMessageW(GetDlgItem(dialog, IDC_PREVIEW), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(b, DesktopValue("Wallpaper"));
    EXPECT_EQ(b, Setting("CurPicFileName"));
    EXPECT_EQ("0", Setting("Preview"));
    EXPECT_EQ("1", Setting("ShowPic"));
    // Three seconds later the picture after b.bmp, round to a.bmp.
    EXPECT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == a; }, kWait));
}

TEST_F(WindowControlsTest, CancellingTheDialogUnticksShowPictureAndKeepsEverything)
{
    Start("0", false);
    TickShowPicture(IDCANCEL, [&](HWND dialog) { PostMessageW(GetDlgItem(dialog, IDC_PREVIEW), BM_CLICK, 0, 0); });
    EXPECT_FALSE(Checked(IDC_SHOW_PICTURE));
    EXPECT_EQ("0", Setting("ShowPic"));
    EXPECT_EQ("1", Setting("Preview"));
    EXPECT_EQ(a, Setting("CurPicFileName"));
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_FALSE(Enabled(IDC_CHANGE_NEVER));
}

TEST_F(WindowControlsTest, ANewIntervalTakesEffectAtOnce)
{
    Start("3");
    ASSERT_TRUE(Enabled(IDC_INTERVAL_EDIT));
    program->Type(IDC_INTERVAL_EDIT, L"0.0167");
    EXPECT_EQ("0.016700", Setting("ChangeTime"));
    // Thirty minutes were running; the new period is about one second.
    EXPECT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == b; }, 10000));
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
