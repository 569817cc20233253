// The interval edit of the running program: a bad interval is reported
// once, when the user types it, and never stored or used; one that came
// from the settings key is repaired without a word.

#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/app/DrivingTessaly.h"
#include "tests/support/Registry.h"

#include <gtest/gtest.h>

using namespace app_test;
using namespace testing_support;

namespace {

class IntervalEdit : public ::testing::Test {
  protected:
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath); }

    // Starts the program with these stored values and a desktop showing a
    // picture or none; returns the message boxes the start showed.
    std::vector<std::wstring> Start(const std::string& changeMode, const std::string& changeTime, bool pictureShown)
    {
        DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        for (const auto& [name, text] : std::map<std::string, std::string>{{"AutoRun", "0"},
                                                                           {"ChangeMode", changeMode},
                                                                           {"Today", "00000000"},
                                                                           {"ChangeTime", changeTime},
                                                                           {"SetDefaultUser", "0"},
                                                                           {"Preview", "1"},
                                                                           {"CurPicFileName", ""}})
            WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, name.c_str(), text);
        // The interval mode changes nothing for thirty minutes: a picture
        // that does not exist is as good as any.
        PresetDesktop(pictureShown ? "C:\\no-such-picture.bmp" : "");
        program = std::make_unique<Program>(ProgramPath(), "");
        return AnswerMessageBoxesDuring(*program, [&] { window = WaitUntilShown(*program); });
    }

    std::vector<std::wstring> During(const std::function<void()>& step)
    {
        return AnswerMessageBoxesDuring(*program, step);
    }
    HWND Control(int id) const { return GetDlgItem(window, id); }
    static std::string StoredInterval()
    {
        return ReadStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "ChangeTime").value_or("<missing>");
    }

    std::unique_ptr<Program> program;
    HWND window = nullptr;
};

TEST_F(IntervalEdit, AStoredIntervalOutOfRangeIsRepairedWithoutAWord)
{
    // No picture shown: the edit is disabled, so the user could not mend it.
    EXPECT_EQ(0u, Start("0", "0", false).size()) << "at start";
    ASSERT_TRUE(window);
    EXPECT_EQ(0u, During([&] { Click(Control(IDC_SET_DEFAULT_USER)); }).size()) << "on a click";
    bool closed = false;
    EXPECT_EQ(0u, During([&] { closed = Close(*program, window); }).size()) << "at the exit";
    EXPECT_TRUE(closed);
    EXPECT_EQ("0.016700", StoredInterval());
}

TEST_F(IntervalEdit, ABadIntervalIsReportedOnceAndNeitherStoredNorUsed)
{
    EXPECT_EQ(0u, Start("3", "30", true).size());
    ASSERT_TRUE(window);
    HWND edit = Control(IDC_INTERVAL_EDIT);
    ASSERT_TRUE(IsWindowEnabled(edit));

    for (const wchar_t* text : {L"", L"0", L"100000000", L"abc"}) {
        EXPECT_EQ(1u, During([&] { Type(edit, text); }).size()) << "one message for \"" << text << "\"";
        EXPECT_EQ("30.000000", StoredInterval()) << "after \"" << text << "\"";
    }
    // Choosing the interval mode again restarts the schedule with the
    // interval the window holds, and saves it: still the last valid one.
    EXPECT_EQ(0u, During([&] { Click(Control(IDC_CHANGE_BY_INTERVAL)); }).size());
    EXPECT_EQ("30.000000", StoredInterval());

    EXPECT_EQ(0u, During([&] { Type(edit, L"15"); }).size());
    EXPECT_EQ("15.000000", StoredInterval());
    EXPECT_EQ(1u, During([&] { Type(edit, L"0"); }).size());
    bool closed = false;
    EXPECT_EQ(0u, During([&] { closed = Close(*program, window); }).size());
    EXPECT_TRUE(closed);
    EXPECT_EQ("15.000000", StoredInterval());
}

} // namespace
