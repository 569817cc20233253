// The interval edit of the running program: a bad interval is reported
// once, when the user types it, and never stored or used; one that came
// from the settings key is repaired without a word.

#include "resources/resource.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class IntervalEdit : public ::testing::Test {
  protected:
    void TearDown() override { PresetSettings(); }

    // Starts the program with these stored values and a desktop showing a
    // picture or none; returns the message boxes the start showed.
    std::vector<std::wstring> Start(const std::string& changeMode, const std::string& changeTime, bool pictureShown)
    {
        auto settings = UsualSettings(changeMode);
        settings["ChangeTime"] = changeTime;
        PresetSettings(settings);
        // The interval mode changes nothing for thirty minutes: a picture
        // that does not exist is as good as any.
        PresetDesktop(pictureShown ? "C:\\no-such-picture.bmp" : "");
        program = std::make_unique<Tessaly>();
        return program->StartMessages();
    }

    std::vector<std::wstring> During(const std::function<void()>& step) { return program->MessagesDuring(step); }

    std::unique_ptr<Tessaly> program;
};

TEST_F(IntervalEdit, AStoredIntervalOutOfRangeIsRepairedWithoutAWord)
{
    // No picture shown: the edit is disabled, so the user could not mend it.
    EXPECT_EQ(0u, Start("0", "0", false).size()) << "at start";
    ASSERT_TRUE(program->Window());
    EXPECT_EQ(0u, During([&] { program->Click(IDC_SET_DEFAULT_USER); }).size()) << "on a click";
    bool closed = false;
    EXPECT_EQ(0u, During([&] { closed = program->Close(); }).size()) << "at the exit";
    EXPECT_TRUE(closed);
    EXPECT_EQ("0.016700", Setting("ChangeTime"));
}

TEST_F(IntervalEdit, ABadIntervalIsReportedOnceAndNeitherStoredNorUsed)
{
    EXPECT_EQ(0u, Start("3", "30", true).size());
    ASSERT_TRUE(program->IsEnabled(IDC_INTERVAL_EDIT));

    for (const wchar_t* text : {L"", L"0", L"100000000", L"abc"}) {
        EXPECT_EQ(1u, During([&] { program->Type(IDC_INTERVAL_EDIT, text); }).size())
            << "one message for \"" << text << "\"";
        EXPECT_EQ("30.000000", Setting("ChangeTime")) << "after \"" << text << "\"";
    }
    // Choosing the interval mode again restarts the schedule with the
    // interval the window holds, and saves it: still the last valid one.
    EXPECT_EQ(0u, During([&] { program->Click(IDC_CHANGE_BY_INTERVAL); }).size());
    EXPECT_EQ("30.000000", Setting("ChangeTime"));

    EXPECT_EQ(0u, During([&] { program->Type(IDC_INTERVAL_EDIT, L"15"); }).size());
    EXPECT_EQ("15.000000", Setting("ChangeTime"));
    EXPECT_EQ(1u, During([&] { program->Type(IDC_INTERVAL_EDIT, L"0"); }).size());
    bool closed = false;
    EXPECT_EQ(0u, During([&] { closed = program->Close(); }).size());
    EXPECT_TRUE(closed);
    EXPECT_EQ("15.000000", Setting("ChangeTime"));
}

} // namespace
