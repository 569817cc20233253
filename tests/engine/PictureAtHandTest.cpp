// The lists behind Previous, "Never show this picture" and Shuffle: kept as
// text values, read back after a restart, and started clean when a value is
// damaged.

#include "engine/PictureHistory.h"
#include "engine/PictureList.h"
#include "engine/ShuffleRound.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>

using testing_support::TempFolder;

namespace {

std::vector<std::string> TenPictures(const TempFolder& folder)
{
    std::vector<std::string> pictures;
    for (char name = 'a'; name < 'a' + 10; ++name)
        pictures.push_back(folder.AddFile(std::string(1, name) + ".bmp"));
    return pictures;
}

TEST(PictureLists, ADamagedValueStartsCleanAndGonePicturesDrop)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp"), b = folder.AddFile("b.bmp");
    const std::string gone = folder.File("gone.bmp");
    const std::string tooLong(100000, 'x');
    const std::string tooManyCharacters = JoinPictureList(std::vector<std::string>(400, a));
    for (const std::string& bad : {tooLong, tooManyCharacters, a + "||" + b, a + "|", std::string(300, 'y'),
                                   a + "|" + b + "\n", JoinPictureList(std::vector<std::string>(51, a))}) {
        PictureHistory history;
        history.Load(bad);
        EXPECT_EQ("", history.Text()) << bad.substr(0, 40);
    }
    PictureHistory history;
    history.Load(JoinPictureList({b, gone, a}));
    EXPECT_EQ(b + "|" + a, history.Text());
}

TEST(PictureLists, PreviousGoesBackNewestFirstPastGoneAndExcludedPictures)
{
    TempFolder folder;
    const std::vector<std::string> p = TenPictures(folder);
    PictureHistory history;
    history.Record(folder.Path() + "\\"); // the first start's folder is no picture
    for (int index = 0; index < 5; ++index)
        history.Record(p[index]); // shown in turn, p[5] now
    PictureExclusions excluded;
    excluded.Add(p[3]);
    DeleteFileA(p[2].c_str());
    EXPECT_EQ((std::vector<std::string>{p[4], p[1], p[0]}), history.Candidates(p[5], excluded));

    history.WentBackTo(p[4]);
    EXPECT_EQ((std::vector<std::string>{p[1], p[0]}), history.Candidates(p[4], excluded));
    for (int change = 0; change < 60; ++change)
        history.Record(p[change % 2 ? 6 : 7]);
    PictureHistory restarted;
    restarted.Load(history.Text());
    EXPECT_EQ(PictureHistory::kCapacity, restarted.Candidates("", {}).size()) << "the last 50";
}

TEST(PictureLists, ShuffleShowsEveryPictureOncePerRoundAcrossARestart)
{
    TempFolder folder;
    std::vector<std::string> pictures = TenPictures(folder);
    std::uint32_t seed = 7;
    auto random = [&seed] { return seed = seed * 1103515245u + 12345u; };
    auto round = std::make_unique<ShuffleRound>(random);
    std::string current = pictures[9];
    std::vector<std::string> shown;
    for (int change = 0; change < 31; ++change) {
        if (change == 4 || change == 15) { // the program restarts
            const std::string kept = round->Text();
            round = std::make_unique<ShuffleRound>(random);
            round->Load(kept);
        }
        if (change == 12) // a picture added mid-round waits for the next one
            pictures.push_back(folder.AddFile("k.bmp"));
        current = round->Upcoming(pictures, current).front();
        round->Shown(current);
        shown.push_back(current);
    }
    const auto isRound = [&](int from, int to, std::size_t size) {
        const std::set<std::string> distinct(shown.begin() + from, shown.begin() + to);
        return distinct.size() == size && to - from == static_cast<int>(size);
    };
    EXPECT_TRUE(isRound(0, 10, 10));
    EXPECT_TRUE(isRound(10, 20, 10));
    EXPECT_TRUE(isRound(20, 31, 11)) << "the added picture joins the next round";
    EXPECT_NE(shown[19], shown[20]) << "a round does not begin with the last one's end";
}

} // namespace
