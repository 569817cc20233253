// The picture sequence over real folders.

#include "engine/PictureCatalogue.h"
#include "engine/PictureSources.h"
#include "engine/PictureTree.h"
#include "tests/image/support/TurnedPictures.h"
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

// ---- Several folders, subfolders, and the catalogue that watches them

namespace {

std::vector<std::string> WalkedPaths(const PictureSources& sources, const PictureTreeLimits& limits = {})
{
    CatalogueSnapshot snapshot;
    snapshot.tree = WalkPictureTree(sources, {}, limits);
    return snapshot.Paths();
}

std::string MakeFolder(const std::string& path, DWORD attributes = 0)
{
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
    return path;
}

void AddFileAt(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
}

// Waits up to 2 s for the catalogue to hold exactly `expected` (any order).
bool CatalogueHolds(const CPictureCatalogue& catalogue, std::vector<std::string> expected)
{
    std::sort(expected.begin(), expected.end());
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000; Sleep(20)) {
        const auto snapshot = catalogue.Snapshot();
        if (!snapshot)
            continue;
        std::vector<std::string> paths = snapshot->Paths();
        std::sort(paths.begin(), paths.end());
        if (paths == expected)
            return true;
    }
    return false;
}

} // namespace

TEST(PictureTree, FoldersComeInTurnEachWithItsPicturesThenItsSubfoldersDepthFirst)
{
    TempFolder first;
    TempFolder second;
    const std::string top = first.AddFile("z.gif");
    const std::string topBmp = first.AddFile("y.bmp");
    MakeFolder(first.File("sub"));
    MakeFolder(first.File("sub\\deeper"));
    MakeFolder(first.File("hidden"), FILE_ATTRIBUTE_HIDDEN);
    MakeFolder(first.File("system"), FILE_ATTRIBUTE_SYSTEM);
    const std::string sub = first.File("sub\\a.png");
    const std::string deeper = first.File("sub\\deeper\\b.jpg");
    for (const std::string& path : {sub, deeper, first.File("hidden\\h.bmp"), first.File("system\\s.bmp")})
        AddFileAt(path);
    const std::string other = second.AddFile("c.bmp");

    PictureSources sources{{first.Path(), second.Path()}, true};
    EXPECT_EQ((std::vector<std::string>{topBmp, top, sub, deeper, other}), WalkedPaths(sources));
    sources.includeSubfolders = false;
    EXPECT_EQ((std::vector<std::string>{topBmp, top, other}), WalkedPaths(sources));

    // Caps: one level below the sources, and three pictures in all.
    sources.includeSubfolders = true;
    const PictureTree capped = WalkPictureTree(sources, {}, {1, 1000});
    EXPECT_TRUE(capped.depthCapped);
    EXPECT_EQ(4u, capped.pictures.size());
    const PictureTree counted = WalkPictureTree(sources, {}, {32, 3});
    EXPECT_TRUE(counted.countCapped);
    EXPECT_EQ((std::vector<std::string>{topBmp, top, sub}), WalkedPaths(sources, {32, 3}));
    // A source inside another is walked once.
    sources.folders.push_back(first.File("sub"));
    EXPECT_EQ(5u, WalkedPaths(sources).size());

    // A link back up the tree is not followed round.
    const std::string link = first.File("sub\\deeper\\up");
    using CreateLink = BOOLEAN(WINAPI*)(const char*, const char*, DWORD);
    const auto createLink = reinterpret_cast<CreateLink>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    if (!createLink || !createLink(link.c_str(), first.Path().c_str(), 1 /* a folder */))
        return; // no links on this system
    EXPECT_EQ(5u, WalkedPaths(sources).size());
    RemoveDirectoryA(link.c_str());
}

TEST(PictureSources, ADamagedFoldersValueKeepsOnlyItsGoodFolders)
{
    const std::string longPath = "C:\\" + std::string(300, 'a');
    const struct {
        std::string text;
        std::vector<std::string> folders;
    } cases[] = {
        {"C:\\Pics|D:\\More\\", {"C:\\Pics", "D:\\More"}},
        {"C:\\|\\\\server\\share\\photos", {"C:\\", "\\\\server\\share\\photos"}},
        {"relative|C:no-slash|\\rooted|C:\\ok", {"C:\\ok"}},
        {"\\\\.\\PhysicalDrive0|\\\\?\\C:\\x|CON|C:\\CON|C:\\a\\nul.txt|C:\\ok", {"C:\\ok"}},
        {"C:\\a\x01|" + longPath + "|C:\\ok|c:\\OK", {"C:\\ok"}},
        {std::string(100000, 'x') + "|C:\\ok", {"C:\\ok"}},
        {"||", {}},
    };
    for (const auto& test : cases)
        EXPECT_EQ(test.folders, ParsePictureFolders(test.text)) << test.text.substr(0, 80);
    EXPECT_EQ("C:\\Pics|D:\\More", JoinPictureFolders({"C:\\Pics", "D:\\More"}));
}

TEST(PictureCatalogue, SeesPicturesAddedRenamedAndRemovedAndFoldersThatComeBack)
{
    TempFolder parent;
    const std::string folder = MakeFolder(parent.File("pics"));
    const std::string a = folder + "\\a.bmp";
    AddFileAt(a);
    MakeFolder(folder + "\\sub");
    CPictureCatalogue catalogue;
    catalogue.SetSources({{folder}, true});
    ASSERT_TRUE(CatalogueHolds(catalogue, {a}));

    const std::string b = folder + "\\sub\\b.jpg";
    AddFileAt(b);
    EXPECT_TRUE(CatalogueHolds(catalogue, {a, b}));
    const std::string renamed = folder + "\\sub\\c.png";
    MoveFileA(b.c_str(), renamed.c_str());
    EXPECT_TRUE(CatalogueHolds(catalogue, {a, renamed}));
    const std::vector<PictureRename> renames = catalogue.TakeRenames();
    ASSERT_EQ(1u, renames.size());
    EXPECT_EQ(b, renames[0].from);
    EXPECT_EQ(renamed, renames[0].to);
    DeleteFileA(a.c_str());
    EXPECT_TRUE(CatalogueHolds(catalogue, {renamed}));

    // Renamed away and back, as a card taken out and put back.
    const std::string away = parent.File("away");
    ASSERT_TRUE(MoveFileA(folder.c_str(), away.c_str()));
    EXPECT_TRUE(CatalogueHolds(catalogue, {}));
    EXPECT_EQ(1u, catalogue.Snapshot()->tree.missingFolders.size());
    ASSERT_TRUE(MoveFileA(away.c_str(), folder.c_str()));
    EXPECT_TRUE(CatalogueHolds(catalogue, {renamed}));
}

TEST(PictureCatalogue, ReadsEachPicturesUprightSizeFromItsHeaderAfterTheList)
{
    TempFolder folder;
    const std::string upright = folder.File("upright.jpg"), turned = folder.File("turned.jpg");
    ASSERT_TRUE(WriteTurnedPicture(upright, TurnedKind::JpegColour, 1, ExifBlock(1)));
    ASSERT_TRUE(WriteTurnedPicture(turned, TurnedKind::JpegColour, 6, ExifBlock(6, false)));
    folder.AddFile("damaged.png", "\x89PNG");
    CPictureCatalogue catalogue;
    catalogue.SetSources({{folder.Path()}, false});
    std::shared_ptr<const CatalogueSnapshot> snapshot;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 2000 && !(snapshot && snapshot->sizesRead); Sleep(10))
        snapshot = catalogue.Snapshot();
    ASSERT_TRUE(snapshot && snapshot->sizesRead);
    for (const CataloguedPicture& picture : snapshot->tree.pictures) {
        const bool damaged = picture.path.find("damaged") != std::string::npos;
        EXPECT_EQ(damaged ? 0u : 64u, picture.width) << picture.path;
        EXPECT_EQ(damaged ? 0u : 32u, picture.height) << picture.path;
    }
}
