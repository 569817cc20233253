// The picture sequence over real folders.

#include "engine/PictureCatalogue.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

using testing_support::TempFolder;

namespace {

// The picture a change tries first.
std::string FindNextPicture(const std::string& current)
{
    const std::vector<std::string> pictures = PicturesAfter(current);
    return pictures.empty() ? std::string() : pictures.front();
}

std::vector<std::string> Sequence(std::string current, int steps)
{
    std::vector<std::string> visited;
    for (int i = 0; i < steps; ++i) {
        current = FindNextPicture(current);
        visited.push_back(current);
    }
    return visited;
}

} // namespace

TEST(PictureCatalogue, WalksBmpJpgPngGifWebpHeifAvifThenSystemFormatsAndWraps)
{
    TempFolder folder;
    const std::string i = folder.AddFile("0.tif"); // by type, not by name
    const std::string a = folder.AddFile("a.bmp");
    const std::string b = folder.AddFile("b.bmp");
    const std::string c = folder.AddFile("c.jpeg");
    const std::string d = folder.AddFile("d.png");
    const std::string e = folder.AddFile("e.gif");
    const std::string f = folder.AddFile("f.WEBP");
    const std::string g = folder.AddFile("g.heic");
    const std::string h = folder.AddFile("h.avif");
    folder.AddFile("notes.txt");
    folder.AddFile("icon.ico"); // the system decodes it, but it is no wallpaper
    // The folder path is the start: no file equals it, so the first match comes first.
    const auto visited = Sequence(folder.Path() + "\\", 11);
    const std::vector<std::string> expected = {a, b, c, d, e, f, g, h, i, a, b};
    EXPECT_EQ(expected, visited);
}

TEST(PictureCatalogue, TheExampleFolderRunsABCA)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp");
    const std::string b = folder.AddFile("b.bmp");
    const std::string c = folder.AddFile("c.jpg");
    EXPECT_EQ((std::vector<std::string>{b, c, a, b}), Sequence(a, 4));
}

TEST(PictureCatalogue, EveryJpegNameIsAPicture)
{
    TempFolder folder;
    const std::vector<std::string> expected = {folder.AddFile("a.jpg"), folder.AddFile("c.JPE"),
                                               folder.AddFile("d.jfif"), folder.AddFile("long name.jpeg")};
    std::vector<std::string> pictures = PicturesAfter(folder.Path() + "\\");
    std::sort(pictures.begin(), pictures.end());
    EXPECT_EQ(expected, pictures);
}

TEST(PictureCatalogue, AFolderWithoutPicturesGivesTheEmptyPath)
{
    TempFolder folder;
    folder.AddFile("readme.txt");
    EXPECT_EQ("", FindNextPicture(folder.Path() + "\\readme.txt"));
    EXPECT_EQ("", FindNextPicture(folder.Path() + "\\missing\\a.bmp"));
}

TEST(PictureCatalogue, OnePictureFollowsItself)
{
    TempFolder folder;
    const std::string only = folder.AddFile("only.png");
    EXPECT_EQ(only, FindNextPicture(only));
}

TEST(PictureCatalogue, AMissingOrDifferentlyCasedCurrentPictureRestartsAtTheFirst)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp");
    const std::string b = folder.AddFile("b.bmp");
    const std::string c = folder.AddFile("c.gif");
    DeleteFileA(b.c_str());
    EXPECT_EQ(a, FindNextPicture(b));
    // Paths are compared byte for byte.
    std::string upper = c;
    upper.replace(upper.size() - 5, 5, "C.GIF");
    EXPECT_EQ(a, FindNextPicture(upper));
}

TEST(PictureCatalogue, PicturesAfterGoOnceRoundEndingWithTheCurrentOne)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp");
    const std::string b = folder.AddFile("b.jpg");
    const std::string c = folder.AddFile("c.gif");
    EXPECT_EQ((std::vector<std::string>{c, a, b}), PicturesAfter(b));
    EXPECT_EQ((std::vector<std::string>{a, b, c}), PicturesAfter(folder.File("gone.png")));
}

TEST(PictureCatalogue, ARelativeFolderStillGivesFullPaths)
{
    TempFolder folder;
    const std::string a = folder.AddFile("a.bmp");
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    const std::string next = FindNextPicture(".\\x.bmp");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(a, next);
}
