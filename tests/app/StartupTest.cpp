// Tessaly.exe started as a user starts it: one copy, the language module,
// the hidden start, the validation messages, the settings it leaves.
// Each test runs in the system language ctest gives the process.

#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/app/DrivingTessaly.h"
#include "tests/support/Program.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

using namespace app_test;
using namespace testing_support;

namespace {

bool SystemIsChinese()
{
    return PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_CHINESE;
}

std::wstring ControlText(HWND dialog, int id)
{
    return WindowTextW(GetDlgItem(dialog, id));
}

// Answers the message box that `program` shows next and returns its text.
std::wstring AnswerNextMessageBox(const Program& program)
{
    HWND box = program.WaitForMessageBox();
    if (!box)
        return L"(no message box)";
    const std::wstring text = MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !IsWindow(box); }, 5000);
    return text;
}

// Closes the main window as Alt+F4 does; the program saves and ends.
void CloseProgram(const Program& program, HWND window)
{
    EXPECT_TRUE(Close(program, window));
}

bool BecomesVisible(HWND window)
{
    return PumpUntil([&] { return IsWindowVisible(window) != FALSE; }, 15000);
}

bool BecomesHidden(HWND window)
{
    return PumpUntil([&] { return !IsWindowVisible(window); }, 15000);
}

// The tick of the timer that hides a window started with "min", handled
// now instead of waited for: once it returns, the start-up hide has been
// decided for good.
void TickStartupHideTimer(HWND window)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_TIMER, 3, 0, SMTO_NORMAL, 15000, &result);
}

// Puts a folder first on the PATH that the programs this test starts inherit.
class SearchPathFirst {
  public:
    explicit SearchPathFirst(const std::string& folder)
    {
        char old[32767] = {};
        const DWORD length = GetEnvironmentVariableA("PATH", old, sizeof old);
        m_old.assign(old, length < sizeof old ? length : 0);
        SetEnvironmentVariableA("PATH", (folder + ";" + m_old).c_str());
    }
    ~SearchPathFirst() { SetEnvironmentVariableA("PATH", m_old.c_str()); }
    SearchPathFirst(const SearchPathFirst&) = delete;
    SearchPathFirst& operator=(const SearchPathFirst&) = delete;

  private:
    std::string m_old;
};

class Startup : public ::testing::Test {
  protected:
    void SetUp() override
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        // No picture on the desktop, so no start changes the wallpaper or
        // the stored picture.
        PresetDesktop("");
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath); }
};

} // namespace

TEST_F(Startup, FirstStartShowsTheWindowAndLeavesTheSettings)
{
    Program program(ProgramPath(), "");
    ASSERT_TRUE(program.Started());
    HWND window = program.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    EXPECT_TRUE(BecomesVisible(window));

    CloseProgram(program, window);
    const auto saved = ReadStringValues(HKEY_CURRENT_USER, kSettingsKeyPath);
    EXPECT_EQ("30.000000", saved.at("ChangeTime"));
    EXPECT_EQ("1", saved.at("Preview"));
    EXPECT_EQ(SystemIsChinese() ? "6F0B2D91-3C4A-4E7B-9A15-2B7D40C8E3A6" : "5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58",
              saved.at("CurSkinIndex"));
    EXPECT_EQ(1u, saved.count("CurPicFileName"));
}

TEST_F(Startup, ALongPicturePathSurvivesARestart)
{
    const std::string longPath = "C:\\" + std::string(223, 'q') + ".bmp";
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "CurPicFileName", longPath);
    Program program(ProgramPath(), "");
    HWND window = program.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    CloseProgram(program, window);
    EXPECT_EQ(longPath, ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "CurPicFileName"));
}

TEST_F(Startup, ASecondStartShowsTheRunningWindowAndEnds)
{
    Program first(ProgramPath(), "min");
    HWND window = first.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    ASSERT_TRUE(BecomesHidden(window));
    // Another program's window of the same caption, on top (Explorer titles
    // a window showing the program's folder so), is not the running copy.
    HWND other = CreateWindowExW(0, L"STATIC", kCaption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    ASSERT_TRUE(other);

    Program second(ProgramPath(), "");
    DWORD exitCode = 99;
    EXPECT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(BecomesVisible(window));
    EXPECT_FALSE(IsWindowVisible(other));
    DestroyWindow(other);
    EXPECT_EQ(1, CountWindowsWithCaption(kCaption));

    // Once the first copy has ended, the next start is a first copy again.
    CloseProgram(first, window);
    Program third(ProgramPath(), "");
    HWND thirdWindow = third.WaitForWindow(kCaption);
    ASSERT_TRUE(thirdWindow);
    CloseProgram(third, thirdWindow);
}

TEST_F(Startup, OnlyAPlainLowerCaseMinStartsHidden)
{
    for (const char* arguments : {"MIN", "/min", "-min", "other min"}) {
        Program program(ProgramPath(), arguments);
        HWND window = WaitUntilShown(program);
        ASSERT_TRUE(window) << arguments;
        TickStartupHideTimer(window);
        EXPECT_TRUE(IsWindowVisible(window)) << arguments;
        CloseProgram(program, window);
    }
    Program program(ProgramPath(), "min");
    HWND window = program.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    EXPECT_TRUE(BecomesHidden(window));
    CloseProgram(program, window);
}

TEST_F(Startup, TheLanguageModuleGivesTheTexts)
{
    Program program(ProgramPath(), "");
    HWND window = program.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    if (SystemIsChinese()) {
        EXPECT_EQ(L"桌面上显示图片(&S)", ControlText(window, IDC_SHOW_PICTURE));
        EXPECT_EQ(L"启动时运行(&R)", ControlText(window, IDC_AUTO_RUN));
        EXPECT_EQ(L"按时间更换(&M)", ControlText(window, IDC_CHANGE_BY_INTERVAL));
        EXPECT_EQ(L"分钟", ControlText(window, IDC_MINUTES_LABEL));
    } else {
        EXPECT_EQ(L"&Show wallpaper", ControlText(window, IDC_SHOW_PICTURE));
    }
    CloseProgram(program, window);
}

TEST_F(Startup, TheIntervalEditRefusesWhatIsNotAnIntervalOnEnter)
{
    const std::wstring notANumber = SystemIsChinese() ? L"请键入一个数。" : L"Please enter a number.";
    const std::wstring outOfRange = SystemIsChinese() ? L"“请填入一个在0.0167和99999999.999之间的数字。”"
                                                      : L"Please enter a number between 0.0167 and 99999999.999.";
    Program program(ProgramPath(), "");
    HWND window = program.WaitForWindow(kCaption);
    ASSERT_TRUE(window);
    HWND edit = GetDlgItem(window, IDC_INTERVAL_EDIT);

    for (const auto& [text, message] : {std::pair{L"abc", notANumber}, std::pair{L"0", outOfRange}}) {
        // Typing says nothing yet; Enter reports the bad text.
        const std::vector<std::wstring> expected = {message};
        EXPECT_TRUE(AnswerMessageBoxesDuring(program, [&] { Type(edit, text); }).empty()) << text;
        EXPECT_EQ(expected, AnswerMessageBoxesDuring(program, [&] { Command(window, IDOK); })) << text;
        EXPECT_TRUE(IsWindow(window)) << "the window stays open with a bad interval";
    }
    EXPECT_TRUE(AnswerMessageBoxesDuring(program, [&] { Type(edit, L"15"); }).empty());
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_EQ("15.000000", ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "ChangeTime"));
}

TEST_F(Startup, AMissingLanguageModuleIsReportedAndTheProgramEnds)
{
    // The other language's module beside the program does not stand in.
    TempFolder folder;
    const std::string copy = folder.Path() + "\\Tessaly.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), copy.c_str(), FALSE));
    const char* otherModule = SystemIsChinese() ? "English.dll" : "chinese.dll";
    ASSERT_TRUE(CopyFileA((TestProgramDirectory() + "\\" + otherModule).c_str(),
                          (folder.Path() + "\\" + otherModule).c_str(), FALSE));
    // Nor does the right module anywhere else along the search path for
    // libraries: only the program's own folder counts.
    TempFolder elsewhere;
    const char* ownModule = SystemIsChinese() ? "chinese.dll" : "English.dll";
    ASSERT_TRUE(CopyFileA((TestProgramDirectory() + "\\" + ownModule).c_str(),
                          (elsewhere.Path() + "\\" + ownModule).c_str(), FALSE));
    const SearchPathFirst searchPath(elsewhere.Path());

    Program program(copy, "");
    EXPECT_EQ(L"Unable to load resource DLL!", AnswerNextMessageBox(program));
    EXPECT_TRUE(program.WaitForExit());
    EXPECT_FALSE(program.WaitForWindow(kCaption, 0));
    EXPECT_FALSE(ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "ChangeMode"));
}
