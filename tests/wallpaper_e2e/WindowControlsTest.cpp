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
#include "tests/support/WallpaperAnnouncements.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

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
    void Start(const std::string& changeMode = "0", bool pictureShown = true, const std::string& changeTime = "30",
               const std::string& desktopStyle = "0")
    {
        auto settings = UsualSettings(changeMode, a);
        settings["ChangeTime"] = changeTime;
        // Never read back: the desktop's values and the stored flag's exact "1" decide.
        settings["ShowMode"] = "not a number";
        settings["FullColour"] = "yes";
        PresetSettings(settings);
        PresetDesktop(pictureShown ? a : "");
        WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", desktopStyle);
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
    // Wine's desktop is one monitor: span cannot show there.
    EXPECT_FALSE(Enabled(IDC_STYLE_SPAN));
    const struct {
        int id;
        const char* showMode;
        const char* wallpaperStyle;
        const char* tileWallpaper;
    } styles[] = {{IDC_STYLE_TILE, "1", "0", "1"},
                  {IDC_STYLE_STRETCH, "2", "2", "0"},
                  {IDC_STYLE_FIT, "3", "6", "0"},
                  {IDC_STYLE_FILL, "4", "10", "0"},
                  {IDC_STYLE_CENTRE, "0", "0", "0"}};
    for (const auto& style : styles) {
        SCOPED_TRACE(style.showMode);
        ASSERT_TRUE(program->Click(style.id));
        EXPECT_EQ(style.tileWallpaper, DesktopValue("TileWallpaper"));
        EXPECT_EQ(style.wallpaperStyle, DesktopValue("WallpaperStyle"));
        EXPECT_EQ(style.tileWallpaper, ShellDesktopValue("TileWallpaper"));
        EXPECT_EQ(style.wallpaperStyle, ShellDesktopValue("WallpaperStyle"));
        EXPECT_EQ(a, DesktopValue("Wallpaper"));
        EXPECT_EQ(style.showMode, Setting("ShowMode"));
    }
}

TEST_F(WindowControlsTest, TheDesktopsStyleIsReadBackAndOneThisSystemCannotShowBecomesStretch)
{
    // Wine says what version it is per program: as Windows XP, fit and fill
    // are not there either.
    const char* versionKey = "Software\\Wine\\AppDefaults\\Tessaly.exe";
    const struct {
        const char* version;
        const char* desktopStyle;
        int checked;
    } cases[] = {
        {"win10", "10", IDC_STYLE_FILL}, {"win10", "22", IDC_STYLE_STRETCH}, {"winxp", "6", IDC_STYLE_STRETCH}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + c.desktopStyle);
        WriteStringValue(HKEY_CURRENT_USER, versionKey, "Version", c.version);
        Start("0", true, "30", c.desktopStyle);
        DeleteKeyTree(HKEY_CURRENT_USER, versionKey);
        EXPECT_TRUE(Checked(c.checked));
        EXPECT_EQ(c.version == std::string("win10"), Enabled(IDC_STYLE_FIT));
        EXPECT_TRUE(program->Close());
        program.reset();
    }
}

TEST_F(WindowControlsTest, FullColourConvertsTheCurrentJpegAgainAndIsStoredOnlyOnceChosen)
{
    const std::string photo = folder.Path() + "\\photo.jpg";
    WritePicture(photo, 40, 30);
    const std::string bitmap = WallpaperBitmapPath();
    const std::string abandoned = bitmap.substr(0, bitmap.rfind('\\')) + "\\~tq7A.tmp";
    std::FILE* half = std::fopen(abandoned.c_str(), "wb");
    ASSERT_NE(nullptr, half);
    std::fclose(half);
    PresetSettings({{"ChangeMode", "0"}, {"Preview", "1"}, {"CurPicFileName", photo}});
    PresetDesktop(bitmap, 2);
    program = std::make_unique<Tessaly>();
    ASSERT_NE(nullptr, program->Window());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(abandoned.c_str())) << "left by an unfinished write";

    ASSERT_TRUE(program->Click(IDC_STYLE_TILE));
    ASSERT_TRUE(PumpUntil([&] { return DesktopValue("TileWallpaper") == "1"; }, kWait));
    EXPECT_EQ(8, BitmapBitCount(bitmap));
    EXPECT_EQ("<missing>", Setting("FullColour")) << "a save writes what it always wrote";

    // The bitmap is read while the program waits for the announcement's
    // answer: a read at any other moment could hold the file just as the
    // program replaces it, and send the bitmap to the fallback folder.
    const WallpaperAnnouncements announcements([&] { return std::to_string(BitmapBitCount(bitmap)); });
    for (const int depth : {24, 8}) {
        program->Command(IDM_FULL_COLOUR);
        ASSERT_TRUE(announcements.WaitFor(depth == 24 ? 1 : 2, kWait)) << depth;
        EXPECT_EQ(std::to_string(depth), announcements.Shown().back());
        EXPECT_EQ(depth == 24 ? "1" : "0", Setting("FullColour"));
        EXPECT_EQ(bitmap, DesktopValue("Wallpaper"));
    }
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

    // Nothing of the folder can be read, the last found out by a conversion:
    // when it is done the box goes off again, with the reason.
    folder.AddFile("b.bmp", damaged);
    folder.AddFile("c.jpg", "no JPEG");
    ASSERT_TRUE(program->Click(IDC_SHOW_PICTURE));
    program->PostClick(IDC_SHOW_PICTURE);
    HWND dialog = program->WaitForWindow(kSelectPictureCaption);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(dialog) != FALSE; }, kWait));
    // The box goes off and is saved before the reason is shown.
    const std::vector<std::wstring> messages = program->MessagesDuring(
        [&] {
            PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
            PumpUntil([&] { return !Checked(IDC_SHOW_PICTURE) && Setting("ShowPic") == "0"; }, kWait);
        },
        1);
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
