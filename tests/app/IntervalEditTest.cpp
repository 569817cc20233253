// The interval edit of the running program: a bad interval is reported
// once the user is done with it, never while typing, and never stored or
// used; one that came from the settings key is repaired without a word.

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

TEST_F(IntervalEdit, ABadIntervalIsReportedOnceTheUserIsDoneAndNeverStoredOrUsed)
{
    EXPECT_EQ(0u, Start("3", "30", true).size());
    ASSERT_TRUE(window);
    HWND edit = Control(IDC_INTERVAL_EDIT);
    ASSERT_TRUE(IsWindowEnabled(edit));

    // "0.5" typed key by key, then "100" over it: nothing is said meanwhile,
    // and only a valid interval is taken (the key keeps the "30" it was
    // given until then).
    const std::pair<const wchar_t*, const char*> steps[] = {
        {L"0", "30"}, {L"0.", "30"}, {L"0.5", "0.500000"}, {L"", "0.500000"}, {L"abc", "0.500000"}};
    for (const auto& [text, stored] : steps) {
        EXPECT_EQ(0u, During([&] { Type(edit, text); }).size()) << "while typing \"" << text << "\"";
        EXPECT_EQ(stored, StoredInterval()) << "after \"" << text << "\"";
    }
    // Enter says it, and every time; the window stays.
    EXPECT_EQ(1u, During([&] { Command(window, IDOK); }).size());
    EXPECT_EQ(1u, During([&] { Command(window, IDOK); }).size());
    EXPECT_TRUE(IsWindow(window));
    // Choosing the interval mode again restarts the schedule with the
    // interval the window holds, and saves it: still the last valid one.
    EXPECT_EQ(0u, During([&] { Click(Control(IDC_CHANGE_BY_INTERVAL)); }).size());
    EXPECT_EQ("0.500000", StoredInterval());

    // Closed with a text nobody was told about: said once on the way out.
    EXPECT_EQ(0u, During([&] { Type(edit, L"0"); }).size());
    bool closed = false;
    EXPECT_EQ(1u, During([&] { closed = Close(*program, window); }).size());
    EXPECT_TRUE(closed);
    EXPECT_EQ("0.500000", StoredInterval());
}

} // namespace
