// The lists behind Previous, "Never show this picture" and Shuffle, as text
// values: a damaged one starts clean, and a shuffle round carries on across
// a restart.

#include "engine/PictureAtHand.h"
#include "engine/PictureHistory.h"
#include "engine/PictureList.h"
#include "engine/PictureSources.h"
#include "engine/ShuffleRound.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

using testing_support::TempFolder;

namespace {

TEST(PictureLists, ADamagedValueStartsCleanAndPicturesNotFoundAreKeptButPassedOver)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp"), b = folder.AddFile("b.bmp");
    for (const std::string& bad :
         {std::string(100000, 'x'), JoinPictureList(std::vector<std::string>(400, a)), a + "||" + b, a + "|",
          std::string(300, 'y'), a + "|" + b + "\n", JoinPictureList(std::vector<std::string>(51, a))}) {
        PictureHistory history;
        history.Load(bad);
        EXPECT_EQ("", history.Text()) << bad.substr(0, 40);
    }
    PictureHistory history;
    // An offline drive's picture stays stored; Previous passes it over.
    const std::string offline = folder.File("offline.bmp");
    history.Load(JoinPictureList({b, offline, a}));
    EXPECT_EQ(b + "|" + offline + "|" + a, history.Text());
    EXPECT_EQ((std::vector<std::string>{b, a}), history.Candidates("", PictureExclusions(), PictureFileExists));
}

TEST(PictureLists, PreviousAsksTheCatalogueOnlyOfPicturesItsWalkReaches)
{
    const PictureSources flat{{"C:\\Photos", "D:\\"}, false}, deep{{"C:\\Photos"}, true};
    const struct {
        const PictureSources& sources;
        const char* path;
        bool covered;
    } cases[] = {
        {flat, "C:\\Photos\\a.jpg", true},
        {flat, "c:\\photos\\A.JPG", true},
        {flat, "C:\\Photos\\2024\\a.jpg", false},
        {flat, "C:\\Photos2\\a.jpg", false},
        {flat, "D:\\a.jpg", true},
        {flat, "C:\\Photos", false},
        {deep, "C:\\Photos\\2024\\a.jpg", true},
        {deep, "C:\\Other\\a.jpg", false},
    };
    for (const auto& each : cases)
        EXPECT_EQ(each.covered, SourcesCover(each.sources, each.path)) << each.path;
}

TEST(PictureLists, AShuffleRoundGoesOnAfterARestartAndNewPicturesJoinIt)
{
    TempFolder folder;
    std::vector<std::string> pictures;
    for (char name = 'a'; name < 'a' + 10; ++name)
        pictures.push_back(folder.AddFile(std::string(1, name) + ".bmp"));
    std::uint32_t seed = 7;
    auto random = [&seed] { return seed = seed * 1103515245u + 12345u; };
    auto round = std::make_unique<ShuffleRound>(random);
    std::vector<std::string> shown = {pictures[9]};
    for (int change = 0; change < 26; ++change) {
        if (change == 4) { // a restart
            const std::string kept = round->Text();
            round = std::make_unique<ShuffleRound>(random);
            round->Load(kept);
        }
        if (change == 5)
            for (const char* name : {"k.bmp", "l.bmp", "m.bmp"})
                pictures.push_back(folder.AddFile(name));
        shown.push_back(round->Upcoming(pictures, shown.back()).front());
        round->Shown(shown.back());
    }
    EXPECT_EQ(13u, std::set<std::string>(shown.begin() + 1, shown.begin() + 14).size()) << "added mid-round";
    EXPECT_EQ(13u, std::set<std::string>(shown.begin() + 14, shown.end()).size());
    EXPECT_NE(shown[13], shown[14]) << "a round does not begin where the last one ended";
}

TEST(PictureLists, ARenameTheCatalogueSeesFollowsIntoTheCurrentPictureTheHistoryAndTheExclusions)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp"), b = folder.AddFile("b.bmp");
    const char* const kKey = "Software\\Tessaly tests\\at hand";
    CRegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, kKey));
    key.WriteString("History", b);
    key.WriteString("Excluded", b);
    Settings settings;
    settings.CurPicFileName = a;
    PictureAtHand atHand(settings, key);
    atHand.KeepCatalogue(nullptr, 0);
    atHand.Load();
    for (DWORD start = GetTickCount(); !atHand.CatalogueReady() && GetTickCount() - start < 2000;)
        Sleep(10);
    const std::string c = folder.File("c.bmp"), d = folder.File("d.bmp");
    MoveFileA(a.c_str(), c.c_str());
    MoveFileA(b.c_str(), d.c_str());
    for (DWORD start = GetTickCount(); settings.CurPicFileName != c && GetTickCount() - start < 2000; Sleep(10))
        atHand.CatalogueChanged();
    atHand.CatalogueChanged();
    EXPECT_EQ(c, settings.CurPicFileName);
    std::string text;
    EXPECT_EQ(ERROR_SUCCESS, key.ReadString("CurPicFileName", text));
    EXPECT_EQ(c, text);
    key.ReadString("History", text);
    EXPECT_EQ(d, text);
    key.ReadString("Excluded", text);
    EXPECT_EQ(d, text);
    EXPECT_EQ((std::vector<std::string>{c}), atHand.NextPictures()) << "d.bmp stays excluded";
    key.Close();
    testing_support::DeleteKeyTree(HKEY_CURRENT_USER, kKey);
}

} // namespace
