// The interval edit of the running program: a bad interval is reported
// once the user is done with it, never while typing, and never stored or
// used; one that came from the settings key is repaired without a word.

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

TEST_F(IntervalEdit, ABadIntervalIsReportedOnceTheUserIsDoneAndNeverStoredOrUsed)
{
    EXPECT_EQ(0u, Start("3", "30", true).size());
    ASSERT_TRUE(program->IsEnabled(IDC_INTERVAL_EDIT));

    // "0.5" typed key by key, then "100" over it: nothing is said meanwhile,
    // and only a valid interval is taken (the key keeps the "30" it was
    // given until then).
    const std::pair<const wchar_t*, const char*> steps[] = {
        {L"0", "30"}, {L"0.", "30"}, {L"0.5", "0.500000"}, {L"", "0.500000"}, {L"abc", "0.500000"}};
    for (const auto& [text, stored] : steps) {
        EXPECT_EQ(0u, During([&] { program->Type(IDC_INTERVAL_EDIT, text); }).size())
            << "while typing \"" << text << "\"";
        EXPECT_EQ(stored, Setting("ChangeTime")) << "after \"" << text << "\"";
    }
    // Enter says it, and every time; the window stays.
    EXPECT_EQ(1u, During([&] { program->Command(IDOK); }).size());
    EXPECT_EQ(1u, During([&] { program->Command(IDOK); }).size());
    EXPECT_TRUE(IsWindow(program->Window()));
    // Choosing the interval mode again restarts the schedule with the
    // interval the window holds, and saves it: still the last valid one.
    EXPECT_EQ(0u, During([&] { program->Click(IDC_CHANGE_BY_INTERVAL); }).size());
    EXPECT_EQ("0.500000", Setting("ChangeTime"));

    // Closed with a text nobody was told about: said once on the way out.
    EXPECT_EQ(0u, During([&] { program->Type(IDC_INTERVAL_EDIT, L"0"); }).size());
    bool closed = false;
    EXPECT_EQ(1u, During([&] { closed = program->Close(); }).size());
    EXPECT_TRUE(closed);
    EXPECT_EQ("0.500000", Setting("ChangeTime"));
}

} // namespace
