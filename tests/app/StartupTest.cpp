// Tessaly.exe started as a user starts it: one copy, the language module,
// the hidden start, the validation messages, the settings it leaves.
// Each test runs in the system language ctest gives the process.

#include "app/Elevation.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>

using namespace testing_support;

namespace {

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

// The access list of the running copy's single-instance mapping.
std::string GuardAccessList()
{
    const HANDLE mapping = OpenFileMappingA(READ_CONTROL, FALSE, "OrvaneTessaly");
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    const SECURITY_INFORMATION parts = DACL_SECURITY_INFORMATION;
    if (mapping && GetSecurityInfo(mapping, SE_KERNEL_OBJECT, parts, nullptr, nullptr, nullptr, nullptr, &descriptor) ==
                       ERROR_SUCCESS)
        ConvertSecurityDescriptorToStringSecurityDescriptorA(descriptor, SDDL_REVISION_1, parts, &text, nullptr);
    const std::string result = text ? text : "";
    LocalFree(text);
    LocalFree(descriptor);
    if (mapping)
        CloseHandle(mapping);
    return result;
}

class Startup : public ::testing::Test {
  protected:
    // No settings, and no picture on the desktop, so no start changes the
    // wallpaper or the stored picture.
    void SetUp() override
    {
        PresetSettings();
        PresetDesktop("");
    }
    void TearDown() override { PresetSettings(); }
};

} // namespace

TEST_F(Startup, FirstStartShowsTheWindowAndLeavesTheSettings)
{
    Tessaly program;
    ASSERT_TRUE(program.Window());
    EXPECT_TRUE(program.BecomesVisible());

    EXPECT_TRUE(program.Close());
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
    PresetSettings({{"CurPicFileName", longPath}});
    Tessaly program;
    ASSERT_TRUE(program.Window());
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(longPath, Setting("CurPicFileName"));
}

TEST_F(Startup, ASecondStartShowsTheRunningWindowAndEnds)
{
    Tessaly first("min");
    ASSERT_TRUE(first.Window());
    ASSERT_TRUE(first.BecomesHidden());
    // Elevated (every copy is, under Wine), it lets the same user's ordinary
    // starts, which the second one stands for, open its name. (Wine keeps no
    // integrity label on it to check.)
    if (RunsElevated()) {
        EXPECT_NE(std::string::npos, GuardAccessList().find(";;;" + ProcessUserSid() + ")")) << GuardAccessList();
    }
    // Another program's window of the same caption, on top (Explorer titles
    // a window showing the program's folder so), is not the running copy.
    HWND other = CreateWindowExW(0, L"STATIC", kProgramCaption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(other);

    Program second(ProgramPath(), "");
    DWORD exitCode = 99;
    EXPECT_TRUE(second.WaitForExit(10000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(first.BecomesVisible());
    EXPECT_FALSE(IsWindowVisible(other));
    DestroyWindow(other);
    EXPECT_EQ(1, CountWindowsWithCaption(kProgramCaption));

    // Once the first copy has ended, the next start is a first copy again.
    EXPECT_TRUE(first.Close());
    Tessaly third;
    ASSERT_TRUE(third.Window());
    EXPECT_TRUE(third.Close());
}

TEST_F(Startup, OnlyAPlainLowerCaseMinStartsHidden)
{
    for (const char* arguments : {"MIN", "/min", "-min"}) {
        Tessaly program(arguments);
        ASSERT_TRUE(program.BecomesVisible()) << arguments;
        TickStartupHideTimer(program.Window());
        EXPECT_TRUE(IsWindowVisible(program.Window())) << arguments;
        EXPECT_TRUE(program.Close());
    }
    Tessaly program("min");
    ASSERT_TRUE(program.Window());
    EXPECT_TRUE(program.BecomesHidden());
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, TheSystemLanguagesModuleGivesTheTexts)
{
    Tessaly program;
    ASSERT_TRUE(program.Window());
    EXPECT_EQ(SystemIsChinese() ? L"桌面上显示图片(&S)" : L"&Show wallpaper", program.Text(IDC_SHOW_PICTURE));
    EXPECT_TRUE(program.Close());
}

TEST_F(Startup, TheIntervalEditRefusesWhatIsNotAnIntervalOnEnter)
{
    const std::wstring notANumber = SystemIsChinese() ? L"请键入一个数。" : L"Please enter a number.";
    const std::wstring outOfRange = SystemIsChinese() ? L"“请填入一个在0.0167和99999999.999之间的数字。”"
                                                      : L"Please enter a number between 0.0167 and 99999999.999.";
    Tessaly program;
    ASSERT_TRUE(program.Window());
    for (const auto& [text, message] : {std::pair{L"abc", notANumber}, std::pair{L"0", outOfRange}}) {
        // Typing says nothing yet; Enter reports the bad text.
        const std::vector<std::wstring> expected = {message};
        EXPECT_TRUE(program.MessagesDuring([&] { program.Type(IDC_INTERVAL_EDIT, text); }).empty()) << text;
        EXPECT_EQ(expected, program.MessagesDuring([&] { program.Command(IDOK); })) << text;
        EXPECT_TRUE(IsWindow(program.Window())) << "the window stays open with a bad interval";
    }
    EXPECT_TRUE(program.MessagesDuring([&] { program.Type(IDC_INTERVAL_EDIT, L"15"); }).empty());
    PostMessageW(program.Window(), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.Ends());
    EXPECT_EQ("15.000000", Setting("ChangeTime"));
}

TEST_F(Startup, AMissingLanguageModuleIsReportedAndTheProgramEnds)
{
    // The other language's module beside the program does not stand in.
    TempFolder folder;
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), folder.File("Tessaly.exe").c_str(), FALSE));
    const char* otherModule = SystemIsChinese() ? "English.dll" : "chinese.dll";
    ASSERT_TRUE(
        CopyFileA((TestProgramDirectory() + "\\" + otherModule).c_str(), folder.File(otherModule).c_str(), FALSE));
    // Nor does the right module anywhere else along the search path for
    // libraries: only the program's own folder counts.
    TempFolder elsewhere;
    const char* ownModule = SystemIsChinese() ? "chinese.dll" : "English.dll";
    ASSERT_TRUE(
        CopyFileA((TestProgramDirectory() + "\\" + ownModule).c_str(), elsewhere.File(ownModule).c_str(), FALSE));
    const SearchPathFirst searchPath(elsewhere.Path());

    Tessaly program("", folder.Path());
    EXPECT_EQ(std::vector<std::wstring>{L"Unable to load resource DLL!"}, program.StartMessages());
    EXPECT_TRUE(program.Ends());
    EXPECT_EQ(nullptr, program.Window());
    EXPECT_EQ("<missing>", Setting("ChangeMode"));
}
