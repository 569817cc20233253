// A person's whole journey with Tessaly.exe: the first start; a picture
// chosen in the select-picture dialog; the style and the schedule chosen in
// the window; the wallpaper walking through the folder; the window hidden
// in the notification area, brought back by a second start and by the
// icon; the program ended from the icon's menu; and every setting found
// again at the next start, which is a hidden one as at log-on. ctest runs
// it in English, in Chinese and in a 64-bit Wine prefix.

#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/e2e/PictureDialog.h"
#include "tests/e2e/Pictures.h"
#include "tests/e2e/Screenshots.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/RealInput.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/TrayWindows.h"
#include "tests/support/WallpaperAnnouncements.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>
#include <wtsapi32.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

using namespace e2e;
using namespace testing_support;

namespace {

constexpr DWORD kWalkDeadline = 30000; // ms, for several changes on a loaded machine
constexpr int kHideButton = kFirstSkinButtonId + 2;

// A first start: no settings, no wallpaper on the desktop.
void PresetFirstStart()
{
    PresetSettings();
    PresetDesktop("");
    for (const std::string& path : WallpaperBitmapLocations())
        DeleteFileA(path.c_str());
}

// The menu that the program shows after a right click (on the icon or the
// window), and a click on its last item (the exit command) or its first;
// `whileOpen` runs once the menu shows.
bool ClickItemOfMenu(const Tessaly& program, bool last, const std::function<void()>& whileOpen)
{
    HWND menu = program.WaitForWindowOfClass(L"#32768");
    RECT rect = {};
    if (!menu || !GetWindowRect(menu, &rect))
        return false;
    whileOpen();
    // Each item is at least a menu bar high; the frame is a few pixels.
    const int fromEdge = 3 + GetSystemMetrics(SM_CYMENU) / 2;
    return ClickAt({(rect.left + rect.right) / 2, last ? rect.bottom - fromEdge : rect.top + fromEdge});
}

// The same for the item below `itemsAbove` items and `separatorsAbove`
// separators.
bool ClickMenuItem(const Tessaly& program, int itemsAbove, int separatorsAbove, const std::function<void()>& whileOpen)
{
    HWND menu = program.WaitForWindowOfClass(L"#32768");
    RECT rect = {};
    if (!menu || !GetWindowRect(menu, &rect))
        return false;
    whileOpen();
    // As the owner-drawn items measure themselves: at least 19 pixels high,
    // separators half a menu bar.
    const int item = std::max(GetSystemMetrics(SM_CYMENU), 19);
    const int top = rect.top + 3 + itemsAbove * item + separatorsAbove * (GetSystemMetrics(SM_CYMENU) / 2);
    return ClickAt({(rect.left + rect.right) / 2, top + item / 2});
}

std::vector<std::string> FirstOf(const std::vector<std::string>& shown, std::size_t count)
{
    return std::vector<std::string>(shown.begin(), shown.begin() + std::min(count, shown.size()));
}

// Where the window's top-left corner is, as "x,y".
std::string Place(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::to_string(rect.left) + "," + std::to_string(rect.top);
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end()); // the test's paths are ASCII
}

class Journey : public ::testing::Test {
  protected:
    void SetUp() override { PresetFirstStart(); }
    void TearDown() override { PresetFirstStart(); }

    // Ticks show-picture and picks a.bmp from the folder in the dialog, by
    // mouse or by keyboard alone.
    void ShowTheFirstPictureOfTheFolder(const Tessaly& program, Input input = Input::Mouse)
    {
        ASSERT_TRUE(Press(program.Control(IDC_SHOW_PICTURE), input));
        HWND dialog = WaitForPictureDialog(program.Window());
        ASSERT_NE(nullptr, dialog);
        ASSERT_EQ("", ChooseFolder(dialog, m_pictures.Folder(), 4, input));
        const std::vector<std::string> listed = {"d.gif", "c.png", "b.jpg", "a.bmp"};
        ASSERT_EQ(listed, ListedFiles(dialog)) << "the last found at the top";
        // a.bmp, at the bottom
        ASSERT_TRUE(input == Input::Keyboard ? Press(GetDlgItem(dialog, IDC_FILE_LIST), input, VK_END)
                                             : ClickListedFile(dialog, 3));
        const std::wstring chosen = Widen(m_pictures.Path("a.bmp"));
        EXPECT_TRUE(
            PumpUntil([&] { return WindowTextW(GetDlgItem(dialog, IDC_CURRENT_FILE)) == chosen; }, kProgramDeadline));
        EXPECT_TRUE(PumpUntil(
            [&] { return WindowTextW(GetDlgItem(dialog, IDC_PICTURE_SIZE)).find(L"61*40") != std::wstring::npos; },
            kProgramDeadline))
            << "the preview's size line";
        TakeScreenshot("2-picture-chosen");
        ASSERT_TRUE(Press(GetDlgItem(dialog, IDOK), input, VK_RETURN));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, kProgramDeadline));
    }

    PictureFolder m_pictures;
    WallpaperAnnouncements m_watch{ShownPicture};
    const std::wstring m_clickToShow = ProgramText(IDS_TIP_CLICK_TO_SHOW);
    const std::wstring m_clickToHide = ProgramText(IDS_TIP_CLICK_TO_HIDE);
};

} // namespace

// The same first steps with the keyboard alone: the window's controls, the
// picture dialog and the skin's own buttons.
TEST_F(Journey, ByKeyboardAloneFromTheFirstStartToAChangedWallpaper)
{
    Tessaly program;
    ASSERT_TRUE(program.BecomesVisible());
    ShowTheFirstPictureOfTheFolder(program, Input::Keyboard);
    if (HasFatalFailure())
        return;
    ASSERT_TRUE(m_watch.WaitFor(1, kWalkDeadline));
    EXPECT_EQ("a.bmp", m_watch.Shown()[0]);

    // The skin's buttons follow the controls in the tab order.
    ASSERT_TRUE(TabTo(program.Control(kHideButton)));
    EXPECT_EQ(ProgramText(IDS_TIP_MINIMISE), WindowTextW(program.Control(kHideButton))) << "its name, as read out";
    TakeScreenshot("keyboard-focus-on-skin-button");
    PressKeys({VK_SPACE});
    EXPECT_TRUE(program.BecomesHidden());
}

TEST_F(Journey, SetUpWatchedHiddenBroughtBackEndedAndFoundAsLeft)
{
    {
        Tessaly program;
        ASSERT_TRUE(program.BecomesVisible());
        RECT rect{};
        RECT work{};
        GetWindowRect(program.Window(), &rect);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR(rect.left - work.left, work.right - rect.right, 1) << "centred the first time";
        EXPECT_TRUE(WaitForTrayIcon(m_clickToHide));
        EXPECT_FALSE(program.IsChecked(IDC_SHOW_PICTURE));
        EXPECT_FALSE(IsWindowEnabled(program.Control(IDC_CHANGE_BY_INTERVAL))) << "nothing to change yet";

        ShowTheFirstPictureOfTheFolder(program);
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(m_watch.WaitFor(1, kWalkDeadline));
        EXPECT_EQ("a.bmp", m_watch.Shown()[0]);
        EXPECT_TRUE(program.IsChecked(IDC_SHOW_PICTURE));

        // Fitted, filled (one monitor: no span), then stretched.
        EXPECT_FALSE(IsWindowEnabled(program.Control(IDC_STYLE_SPAN)));
        const std::pair<int, const char*> styles[] = {
            {IDC_STYLE_FIT, "6"}, {IDC_STYLE_FILL, "10"}, {IDC_STYLE_STRETCH, "2"}};
        for (std::size_t click = 0; click < std::size(styles); ++click) {
            ASSERT_TRUE(ClickWindow(program.Control(styles[click].first)));
            ASSERT_TRUE(m_watch.WaitFor(2 + click, kWalkDeadline));
            EXPECT_EQ(styles[click].second, DesktopValue("WallpaperStyle"));
            if (click == 1)
                TakeScreenshot("3-filled");
        }
        // Full colour, from the window's menu: a.bmp is shown again.
        // A right click that the virtual desktop loses (seen now and then in
        // the 64-bit prefix) opens no menu: it is given once more.
        bool ticked = false;
        for (int attempt = 0; attempt < 2 && !ticked; ++attempt) {
            ASSERT_TRUE(ClickWindow(program.Control(IDC_DISPLAY_GROUP), MouseButton::Right));
            // Below eight items and two separators of the picture part.
            ticked = ClickMenuItem(program, 8, 2, [] { TakeScreenshot("3-full-colour-menu"); });
        }
        ASSERT_TRUE(ticked);
        ASSERT_TRUE(m_watch.WaitFor(5, kWalkDeadline));
        EXPECT_EQ("1", Setting("FullColour"));

        // Then every few minutes at the shortest interval the window takes.
        ASSERT_TRUE(ClickWindow(program.Control(IDC_CHANGE_BY_INTERVAL)));
        ASSERT_TRUE(PumpUntil([&] { return program.IsChecked(IDC_CHANGE_BY_INTERVAL); }, kProgramDeadline));
        EXPECT_TRUE(IsWindowEnabled(program.Control(IDC_INTERVAL_EDIT)));
        program.Type(IDC_INTERVAL_EDIT, L"0.0167");

        ASSERT_TRUE(m_watch.WaitFor(9, kWalkDeadline));
        // The JPEG in full colour; PNG and GIF as always.
        const std::vector<std::string> walk = {"a.bmp",  "a.bmp",  "a.bmp", "a.bmp", "a.bmp",
                                               "Q62/24", "Q63/24", "Q64/8", "a.bmp"};
        EXPECT_EQ(walk, FirstOf(m_watch.Shown(), 9));
        TakeScreenshot("3-walking");

        // Into the notification area with the skin's button, and back
        // through a second start.
        ASSERT_TRUE(ClickWindow(program.Control(kHideButton)));
        ASSERT_TRUE(program.BecomesHidden());
        EXPECT_TRUE(WaitForTrayIcon(m_clickToShow));
        {
            Program second(ProgramPath(), "");
            DWORD exitCode = 99;
            EXPECT_TRUE(second.WaitForExit(kProgramDeadline, &exitCode));
            EXPECT_EQ(0u, exitCode);
        }
        EXPECT_TRUE(program.BecomesVisible());
        EXPECT_TRUE(WaitForTrayIcon(m_clickToHide)) << "the tip follows the window whoever showed it";
        EXPECT_EQ(1, CountWindowsWithCaption(L"Orvane Tessaly")) << "the second start made no window";

        // Moved by the user, hidden and shown by the icon, then ended from its menu.
        SetWindowPos(program.Window(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(ClickTrayIcon(m_clickToHide));
        ASSERT_TRUE(program.BecomesHidden());
        ASSERT_TRUE(ClickTrayIcon(m_clickToShow));
        ASSERT_TRUE(program.BecomesVisible());
        EXPECT_TRUE(WaitForTrayIcon(m_clickToHide));
        ASSERT_TRUE(ClickTrayIcon(m_clickToHide, MouseButton::Right));
        ASSERT_TRUE(ClickItemOfMenu(program, true, [] { TakeScreenshot("4-icon-menu"); }));
        ASSERT_TRUE(program.Ends());
        EXPECT_TRUE(WaitForNoTrayIcon(m_clickToHide));
    }

    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_EQ("3", Setting("ChangeMode"));
    EXPECT_EQ("0.016700", Setting("ChangeTime"));
    EXPECT_EQ("2", Setting("ShowMode"));
    for (const char* name : {"Folders", "IncludeSubfolders"})
        EXPECT_EQ("<missing>", Setting(name)) << "one folder chosen: nothing new is written";
    const std::string remembered = Setting("CurPicFileName");
    EXPECT_EQ(m_pictures.Folder(), remembered.substr(0, remembered.rfind('\\')));
    EXPECT_EQ(PictureFolder::ShownAs(remembered), ShownPicture()) << "it remembers the picture the desktop shows";

    // Started as at log-on: only the icon shows. Brought up from it, the
    // window shows every setting as it was left, and the walk goes on.
    const std::size_t before = m_watch.Shown().size();
    Tessaly again("min");
    ASSERT_NE(nullptr, again.Window());
    EXPECT_TRUE(
        PumpUntil([&] { return IsIconic(again.Window()) && !IsWindowVisible(again.Window()); }, kProgramDeadline));
    EXPECT_TRUE(WaitForTrayIcon(m_clickToShow));
    TakeScreenshot("5-started-hidden");
    ASSERT_TRUE(m_watch.WaitFor(before + 1, kWalkDeadline));
    EXPECT_EQ(PictureFolder::ShownAs(PictureFolder::After(remembered)), m_watch.Shown()[before]);

    ASSERT_TRUE(ClickTrayIcon(m_clickToShow));
    ASSERT_TRUE(again.BecomesVisible());
    EXPECT_TRUE(again.IsChecked(IDC_SHOW_PICTURE));
    EXPECT_TRUE(again.IsChecked(IDC_CHANGE_BY_INTERVAL));
    EXPECT_TRUE(again.IsChecked(IDC_STYLE_STRETCH));
    EXPECT_EQ(L"0.0167", again.Text(IDC_INTERVAL_EDIT));
    EXPECT_TRUE(IsWindowEnabled(again.Control(IDC_INTERVAL_EDIT)));
    EXPECT_EQ("40,50", Place(again.Window())) << "where it was left";
    TakeScreenshot("6-as-left");
    // Alt+F4, as a person ends it.
    PressKeys({VK_MENU, VK_F4});
    EXPECT_TRUE(again.Ends());
}

// ---- The picture at hand

namespace {

DWORD RunVerb(const char* arguments)
{
    Program start(ProgramPath(), arguments);
    DWORD exitCode = 99;
    start.WaitForExit(kProgramDeadline, &exitCode);
    return exitCode;
}

class AtHand : public Journey {
  protected:
    void Preset(const std::string& first, const char* changeMode, const char* interval = "30")
    {
        PresetSettings({{"ChangeMode", changeMode}, {"ChangeTime", interval}, {"CurPicFileName", first}});
        PresetDesktop(first);
    }
    // Another start with `arguments`; the running copy shows `shown`.
    void Walk(const char* arguments, const std::string& shown)
    {
        const std::size_t count = m_watch.Shown().size() + 1;
        EXPECT_EQ(0u, RunVerb(arguments)) << arguments;
        ASSERT_TRUE(m_watch.WaitFor(count, kWalkDeadline)) << arguments;
        EXPECT_EQ(shown, m_watch.Shown().back()) << arguments;
    }
};

} // namespace

TEST_F(AtHand, VerbsAndTheIconsMenuActOnThePictureAndHistoryAndExclusionsOutliveARestart)
{
    Preset(m_pictures.Path("a.bmp"), "0");
    // Damaged values of the new settings start clean and take nothing with them.
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "History", std::string(100000, 'x'));
    CRegistryKey key;
    key.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
    key.WriteDword("Excluded", 7);

    EXPECT_EQ(0u, RunVerb("/exit")) << "none runs: nothing to end";
    {
        // A copy that holds the program's name but shows no window yet
        // takes no verb, and the start says so.
        const HANDLE name = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "OrvaneTessaly");
        EXPECT_EQ(1u, RunVerb("/next"));
        CloseHandle(name);
    }
    DWORD exitCode = 0;
    EXPECT_NE(std::string::npos, RunForErrorOutput(ProgramPath(), "/nxt", &exitCode).find("/previous"));
    EXPECT_EQ(2u, exitCode);
    EXPECT_EQ(0, CountWindowsWithCaption(L"Orvane Tessaly"));
    {
        Tessaly first("/next"); // none runs: started as at log-on, then the verb
        ASSERT_TRUE(first.BecomesHidden());
        ASSERT_TRUE(m_watch.WaitFor(1, kWalkDeadline));
        EXPECT_EQ("Q62/8", m_watch.Shown()[0]);
        EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\nb.jpg"));
        // Any program's WM_COPYDATA: a verb's name with more behind it is no
        // verb, and one of 4 MiB (whose fetch Wine fails) ends nothing.
        for (const std::string& data : {std::string("next\0junk", 9), std::string(4 << 20, 'x')}) {
            COPYDATASTRUCT copy = {0x54534C59, static_cast<DWORD>(data.size()), const_cast<char*>(data.data())};
            EXPECT_EQ(0, SendWithin(first.Window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), 2000));
        }
        Walk("-NEXT stray words", "Q63/24");
        Walk("/previous", "Q62/8");
        EXPECT_EQ(0u, RunVerb("/pause"));
        EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\n" + ProgramText(IDS_TIP_PAUSED) + L"b.jpg"));
        EXPECT_EQ("1", Setting("Paused"));
        EXPECT_EQ(0u, RunVerb("/Resume"));
        EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\nb.jpg"));
        EXPECT_EQ(0u, RunVerb("/show"));
        EXPECT_TRUE(first.BecomesVisible());
        EXPECT_EQ(0u, RunVerb("-hide"));
        EXPECT_TRUE(first.BecomesHidden());

        // "Never show this picture", below three items and a separator.
        const std::size_t count = m_watch.Shown().size() + 1;
        ASSERT_TRUE(ClickTrayIcon(m_clickToShow, MouseButton::Right));
        ASSERT_TRUE(ClickMenuItem(first, 3, 1, [] { TakeScreenshot("7-picture-menu"); }));
        ASSERT_TRUE(m_watch.WaitFor(count, kWalkDeadline));
        EXPECT_EQ("Q63/24", m_watch.Shown().back());
        EXPECT_EQ(m_pictures.Path("b.jpg"), Setting("Excluded"));
        Walk("/next", "Q64/8");
        Walk("/next", "a.bmp");
        Walk("/next", "Q63/24");
        // Explorer opens on the picture's folder.
        const std::wstring folder = Widen(m_pictures.Folder().substr(m_pictures.Folder().rfind('\\') + 1));
        PostMessageW(first.Window(), WM_COMMAND, IDM_OPEN_PICTURE_FOLDER, 0);
        HWND explorer = nullptr;
        EXPECT_TRUE(
            PumpUntil([&] { return (explorer = FindWindowW(nullptr, folder.c_str())) != nullptr; }, kProgramDeadline));
        PostMessageW(explorer, WM_CLOSE, 0, 0);
        // The user logs off: the picture shown last is the one kept.
        first.EndSession();
        EXPECT_EQ(m_pictures.Path("c.png"), Setting("CurPicFileName"));
    }
    Tessaly again("/previous"); // back through what was shown, passing over b.jpg
    ASSERT_TRUE(m_watch.WaitFor(8, kWalkDeadline));
    EXPECT_EQ("a.bmp", m_watch.Shown().back());
    Walk("/previous", "Q64/8");
    Walk("/next", "a.bmp");
    Walk("/next", "Q63/24");
    EXPECT_EQ("0", Setting("ChangeMode"));
    EXPECT_EQ(0u, RunVerb("/exit"));
    EXPECT_TRUE(again.Ends());
}

TEST_F(AtHand, ShuffleShowsEachOfTenPicturesOncePerRoundAcrossARestart)
{
    TempFolder ten;
    for (int index = 0; index < 10; ++index)
        WritePicture(ten.File("p" + std::to_string(index) + ".bmp"), 20 + index, 20);
    Preset(ten.File("p0.bmp"), "3", "0.0167");
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "Shuffle", "1");
    for (std::size_t changes : {6, 21}) {
        Tessaly run("min");
        ASSERT_TRUE(m_watch.WaitFor(changes, 2 * kWalkDeadline));
        EXPECT_EQ(0u, RunVerb("/exit"));
        EXPECT_TRUE(run.Ends());
    }
    const std::vector<std::string>& shown = m_watch.Shown();
    for (std::size_t round : {0, 10})
        EXPECT_EQ(10u, std::set<std::string>(shown.begin() + round, shown.begin() + round + 10).size()) << round;
}

TEST_F(AtHand, WakingAndUnlockingCatchUpAChangeThatFellDueMeanwhile)
{
    Preset(m_pictures.Path("a.bmp"), "3", "0.05"); // every 3 seconds
    Tessaly program("min");
    ASSERT_TRUE(program.BecomesHidden());
    for (const auto& [message, event] : {std::pair<UINT, WPARAM>{WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                                         std::pair<UINT, WPARAM>{WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK}}) {
        const std::size_t before = m_watch.Shown().size();
        // The interval typed again restarts the timer, as sleep stops it;
        // the wall clock goes on.
        for (int typed = 0; typed < 8; ++typed) {
            program.Type(IDC_INTERVAL_EDIT, L"0.05");
            PumpUntil([] { return false; }, 500);
        }
        EXPECT_EQ(before, m_watch.Shown().size()) << "no tick came";
        PostMessageW(program.Window(), message, event, 0);
        EXPECT_TRUE(m_watch.WaitFor(before + 1, 2000)) << message;
    }
    // The folder renamed while the program runs: the next change finds
    // nothing, and the tip says why rather than name a picture that is gone.
    const std::string moved = m_pictures.Folder() + " moved";
    ASSERT_TRUE(MoveFileA(m_pictures.Folder().c_str(), moved.c_str()));
    EXPECT_EQ(0u, RunVerb("/next"));
    EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\n" + ProgramText(IDS_TIP_FOLDER_GONE) + Widen(m_pictures.Folder())));
    MoveFileA(moved.c_str(), m_pictures.Folder().c_str());
    EXPECT_EQ(0u, RunVerb("/exit"));
    EXPECT_TRUE(program.Ends());
}

// ---- Several folders and their subfolders

TEST_F(AtHand, SubfoldersOfSeveralFoldersAreWalkedInOrderAndADamagedFoldersValueLosesOnlyItself)
{
    TempFolder tree;
    TempFolder other;
    CreateDirectoryA(tree.File("a").c_str(), nullptr);
    CreateDirectoryA(tree.File("a\\b").c_str(), nullptr);
    for (const std::string& path :
         {tree.File("r.bmp"), tree.File("a\\a1.bmp"), tree.File("a\\b\\b1.bmp"), other.File("o.bmp")})
        ASSERT_TRUE(WritePicture(path, 20, 20));
    std::string deep = tree.Path(); // one picture too deep to be walked, which the tip says
    for (int level = 0; level < 33; ++level)
        CreateDirectoryA((deep += "\\d").c_str(), nullptr);
    ASSERT_TRUE(WritePicture(deep + "\\deep.bmp", 20, 20));
    // Each folder's own pictures, then its subfolders depth first; a value
    // of another type, or one too long, leaves the current picture's folder.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {tree.Path() + "|CON|relative\\dir|\\\\.\\C:|" + tree.File("gone") + "|" + other.Path(),
         {"a1.bmp", "b1.bmp", "o.bmp", "r.bmp"}},
        {"", {"a1.bmp", "b1.bmp", "r.bmp"}},
        {std::string(100000, 'x'), {"a1.bmp", "b1.bmp", "r.bmp"}},
    };
    for (const auto& [folders, walk] : cases) {
        Preset(tree.File("r.bmp"), "0");
        WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "FullColour", "1");
        CRegistryKey key;
        key.Open(HKEY_CURRENT_USER, kSettingsKeyPath);
        folders.empty() ? key.WriteDword("Folders", 1) : key.WriteString("Folders", folders);
        Tessaly program("min");
        ASSERT_TRUE(program.BecomesHidden());
        program.Command(IDM_INCLUDE_SUBFOLDERS); // as from either menu
        EXPECT_EQ("1", Setting("IncludeSubfolders"));
        for (const std::string& shown : walk)
            Walk("/next", shown);
        EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\nr.bmp\n" + ProgramText(IDS_TIP_CAPPED)));
        EXPECT_EQ(0u, RunVerb("/exit"));
        EXPECT_TRUE(program.Ends());
        EXPECT_EQ("1", Setting("FullColour")) << "nothing else is lost";
    }
}

TEST_F(AtHand, PicturesCopiedInRemovedAndAddedMidRoundAreFollowedWhileItRuns)
{
    TempFolder one;
    ASSERT_TRUE(WritePicture(one.File("o.bmp"), 20, 20));
    Preset(one.File("o.bmp"), "0");
    Tessaly program("min");
    ASSERT_TRUE(program.BecomesHidden());
    const auto next = [&](DWORD deadline) {
        const std::size_t count = m_watch.Shown().size() + 1;
        EXPECT_TRUE(program.MessagesDuring([] { RunVerb("/next"); }).empty()) << "no message";
        return m_watch.WaitFor(count, deadline) ? m_watch.Shown().back() : std::string("none");
    };
    ASSERT_TRUE(CopyFileA(one.File("o.bmp").c_str(), one.File("p.bmp").c_str(), TRUE));
    PumpUntil([] { return false; }, 2000); // seen within 2 s
    EXPECT_EQ("p.bmp", next(2000)) << "copied in while it runs";
    const std::string moved = one.Path() + " moved";
    ASSERT_TRUE(MoveFileA(one.Path().c_str(), moved.c_str()));
    EXPECT_EQ(0u, RunVerb("/next"));
    EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\n" + ProgramText(IDS_TIP_FOLDER_GONE) + Widen(one.Path())));
    ASSERT_TRUE(MoveFileA(moved.c_str(), one.Path().c_str()));
    PumpUntil([] { return false; }, 2000);
    EXPECT_EQ("o.bmp", next(kWalkDeadline)) << "the folder back under its name";
    ASSERT_TRUE(DeleteFileA(one.File("o.bmp").c_str()));
    EXPECT_EQ("p.bmp", next(kWalkDeadline)) << "the current picture removed";

    // Shuffle over ten, three more added mid-round: all thirteen once.
    for (int index = 0; index < 9; ++index)
        ASSERT_TRUE(WritePicture(one.File("p" + std::to_string(index) + ".bmp"), 20, 20));
    PumpUntil([] { return false; }, 2000);
    program.Command(IDM_SHUFFLE);
    std::set<std::string> round;
    for (int change = 0; change < 13; ++change) {
        if (change == 5) {
            for (int index = 9; index < 12; ++index)
                WritePicture(one.File("p" + std::to_string(index) + ".bmp"), 20, 20);
            PumpUntil([] { return false; }, 2000); // seen within 2 s
        }
        round.insert(next(kWalkDeadline));
    }
    std::string order;
    for (std::size_t shown = m_watch.Shown().size() - 13; shown < m_watch.Shown().size(); ++shown)
        order += m_watch.Shown()[shown] + " ";
    EXPECT_EQ(13u, round.size()) << order;
    EXPECT_EQ(0u, RunVerb("/exit"));
    EXPECT_TRUE(program.Ends());
}

// ---- The wallpaper kept

namespace {

void CutInHalf(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, GetFileSize(file, nullptr) / 2, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
}

void Overwrite(const std::string& path, const char* bytes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST_F(AtHand, ALostWallpaperComesBackAsItWasAndOneAnotherProgramChoseIsLeftAlone)
{
    Preset(m_pictures.Path("a.bmp"), "0");
    Tessaly program("/next");
    ASSERT_TRUE(m_watch.WaitFor(1, kWalkDeadline));
    ASSERT_EQ("Q62/8", m_watch.Shown()[0]);
    const std::string bitmap = DesktopValue("Wallpaper");
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    const std::function<void()> losses[] = {
        [&] { DeleteFileA(bitmap.c_str()); }, [&] { CutInHalf(bitmap); },
        [] { WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", ""); },
        [&] { Overwrite(bitmap, "XX"); }, // the same size, but no bitmap
    };
    // Explorer restarted, the display changed, a wake, an unlock, a remote
    // session's end, and the ten-minute look (timer 7).
    const std::pair<UINT, WPARAM> events[] = {{taskbarCreated, 0},
                                              {WM_DISPLAYCHANGE, 32},
                                              {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND},
                                              {WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                                              {WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT},
                                              {WM_TIMER, 7}};
    for (std::size_t event = 0; event < std::size(events); ++event) {
        const std::size_t before = m_watch.Shown().size();
        // Lost behind its back: unnoticed until something happens (no polling).
        EXPECT_FALSE(m_watch.WaitFor(before + 1, 500)) << event;
        losses[event % std::size(losses)]();
        EXPECT_FALSE(m_watch.WaitFor(before + 1, 1000)) << event;
        PostMessageW(program.Window(), events[event].first, events[event].second, 0);
        ASSERT_TRUE(m_watch.WaitFor(before + 1, 5000)) << event;
        EXPECT_EQ("Q62/8", m_watch.Shown().back()) << "the same picture, whole: " << event;
    }

    // Another program shows a.bmp: it stays until the next change of ours.
    const std::string other = m_pictures.Path("a.bmp");
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(other.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", other);
    EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\n" + ProgramText(IDS_TIP_OTHER_PROGRAM)));
    const std::size_t before = m_watch.Shown().size();
    PostMessageW(program.Window(), taskbarCreated, 0, 0);
    EXPECT_FALSE(m_watch.WaitFor(before + 1, 3000)) << "another program's choice is not fought";
    Walk("/next", "Q63/24");
    EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\nc.png"));
    EXPECT_EQ(0u, RunVerb("/exit"));
    EXPECT_TRUE(program.Ends());
}

TEST_F(AtHand, WhileWindowsDecidesTheWallpaperNothingChangesAndTheUserIsToldWhy)
{
    struct Cause {
        HKEY root;
        const char* key;
        const char* name;
        DWORD type; // a value of the wrong type counts as absent
        DWORD data;
        UINT tip; // 0: nothing is in charge
        UINT box;
    };
    const char* activeDesktop = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";
    const char* background = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Wallpapers";
    const Cause causes[] = {
        {HKEY_CURRENT_USER, activeDesktop, "NoChangingWallPaper", REG_DWORD, 1, IDS_TIP_KEPT_BY_POLICY,
         IDS_KEPT_BY_POLICY},
        {HKEY_LOCAL_MACHINE, activeDesktop, "NoChangingWallPaper", REG_DWORD, 1, IDS_TIP_KEPT_BY_POLICY,
         IDS_KEPT_BY_POLICY},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "Wallpaper", REG_SZ, 0,
         IDS_TIP_KEPT_BY_POLICY, IDS_KEPT_BY_POLICY},
        {HKEY_CURRENT_USER, background, "BackgroundType", REG_DWORD, 2, IDS_TIP_KEPT_BY_SLIDESHOW,
         IDS_KEPT_BY_SLIDESHOW},
        {HKEY_CURRENT_USER, background, "BackgroundType", REG_DWORD, 3, IDS_TIP_KEPT_BY_SPOTLIGHT,
         IDS_KEPT_BY_SPOTLIGHT},
        {HKEY_CURRENT_USER, activeDesktop, "NoChangingWallPaper", REG_DWORD_BIG_ENDIAN, 1, 0, 0},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "Wallpaper", REG_DWORD, 1,
         0, 0},
        {HKEY_CURRENT_USER, background, "BackgroundType", REG_BINARY, 3, 0, 0},
    };
    Preset(m_pictures.Path("a.bmp"), "0");
    Tessaly program("min");
    ASSERT_TRUE(program.BecomesHidden());
    const auto announce = [&] { SendWithin(program.Window(), WM_SETTINGCHANGE, 0, (LPARAM)L"Policy", 5000); };
    for (const Cause& cause : causes) {
        HKEY key = nullptr;
        ASSERT_EQ(0, RegCreateKeyExA(cause.root, cause.key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, cause.name, 0, cause.type, reinterpret_cast<const BYTE*>(&cause.data), sizeof cause.data);
        announce();
        const std::size_t before = m_watch.Shown().size();
        if (cause.tip) {
            EXPECT_TRUE(WaitForTrayIcon(m_clickToShow + L"\n" + ProgramText(cause.tip))) << cause.name;
            const std::vector<std::wstring> told = program.MessagesDuring([] { RunVerb("/next"); }, 1);
            EXPECT_EQ(std::vector<std::wstring>{ProgramText(cause.box)}, told) << cause.name;
            EXPECT_FALSE(m_watch.WaitFor(before + 1, 1000)) << cause.name << ": nothing changes";
            RegDeleteValueA(key, cause.name);
            announce(); // the cause goes away: changes go on by themselves
        }
        EXPECT_EQ(0u, RunVerb("/next"));
        EXPECT_TRUE(m_watch.WaitFor(before + 1, kWalkDeadline)) << cause.name;
        RegDeleteValueA(key, cause.name);
        RegCloseKey(key);
    }
    EXPECT_EQ(0u, RunVerb("/exit"));
    EXPECT_TRUE(program.Ends());
}
