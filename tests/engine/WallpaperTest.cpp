// Making a picture the wallpaper, against the real registry of the test
// prefix, real picture files and the real system call.

#include "engine/DesktopWallpaperState.h"
#include "engine/PictureCatalogue.h"
#include "engine/StyleAvailability.h"
#include "engine/Wallpaper.h"
#include "engine/WallpaperChanger.h"
#include "engine/WallpaperInCharge.h"
#include "framework/Path.h"
#include "image/ImageObject.h"
#include "settings/Settings.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/LibraryWriters.h"
#include "tests/support/Registry.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>

using testing_support::DesktopValue;
using testing_support::ReadStringValue;
using testing_support::ShellDesktopValue;
using testing_support::TempFolder;
using testing_support::WriteStringValue;

namespace {

constexpr const char* kUserPathValues[] = {"Wallpaper", "ConvertedWallpaper", "OriginalWallpaper"};
constexpr const char* kShellPathValues[] = {"Wallpaper", "BackupWallpaper"};

std::string DefaultUserValue(const char* name)
{
    return ReadStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, name).value_or("<missing>");
}

// Every path value of the current user, which must all name the same file.
void ExpectWallpaperPath(const std::string& expected)
{
    for (const char* name : kUserPathValues)
        EXPECT_EQ(expected, DesktopValue(name)) << "Control Panel\\Desktop " << name;
    for (const char* name : kShellPathValues)
        EXPECT_EQ(expected, ShellDesktopValue(name)) << "Internet Explorer desktop " << name;
}

void ExpectStyle(const std::string& style, const std::string& tile)
{
    EXPECT_EQ(style, DesktopValue("WallpaperStyle"));
    EXPECT_EQ(tile, DesktopValue("TileWallpaper"));
    EXPECT_EQ(style, ShellDesktopValue("WallpaperStyle"));
    EXPECT_EQ(tile, ShellDesktopValue("TileWallpaper"));
}

std::uint64_t LastWrite(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

class WallpaperTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        DeleteFileA(WallpaperBitmapPath().c_str());
        // A marker the default-user tests can look for.
        WriteStringValue(HKEY_USERS, kDefaultUserDesktopKeyPath, "Wallpaper", "untouched");
    }
    void TearDown() override { DeleteFileA(WallpaperBitmapPath().c_str()); }

    std::string Picture(const std::string& name, int width, int height)
    {
        const std::string path = folder.Path() + "\\" + name;
        EXPECT_TRUE(WritePicture(path, width, height)) << name;
        return path;
    }

    TempFolder folder;
};

TEST_F(WallpaperTest, EachStyleWritesItsPairToBothUserKeysAndLeavesTheDefaultUserAlone)
{
    const std::string picture = Picture("a.bmp", 4, 4);
    const std::pair<const char*, const char*> expected[] = {{"0", "0"}, {"0", "1"},  {"2", "0"},
                                                            {"6", "0"}, {"10", "0"}, {"22", "0"}};
    for (int style = 0; style < 6; ++style) {
        SCOPED_TRACE("style " + std::to_string(style));
        ApplyWallpaper(picture, 0, style);
        ExpectStyle(expected[style].first, expected[style].second);
        ExpectWallpaperPath(picture);
    }
    EXPECT_EQ("untouched", DefaultUserValue("Wallpaper"));
    // The system is told the picture too.
    char current[MAX_PATH] = {};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, current, 0));
    EXPECT_EQ(picture, current);
}

TEST_F(WallpaperTest, AnUnknownStyleWritesNoStyleValueButStillThePaths)
{
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", "keep");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", "keep");
    WriteStringValue(HKEY_CURRENT_USER, kShellDesktopKeyPath, "WallpaperStyle", "keep");
    WriteStringValue(HKEY_CURRENT_USER, kShellDesktopKeyPath, "TileWallpaper", "keep");
    const std::string picture = Picture("c.bmp", 4, 4);
    ApplyWallpaper(picture, 0, 6);
    ExpectStyle("keep", "keep");
    ExpectWallpaperPath(picture);
}

TEST_F(WallpaperTest, ABmpPictureIsUsedInPlaceWhateverItsLetterCase)
{
    const std::string picture = Picture("PHOTO.BMP", 6, 3);
    ApplyWallpaper(picture, 0, 0);
    ExpectWallpaperPath(picture);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(WallpaperBitmapPath().c_str()))
        << "a BMP picture is not copied into the bitmap file";
}

TEST_F(WallpaperTest, JpgPngAndGifPicturesAreConvertedIntoTheBitmapFile)
{
    const std::pair<std::string, int> pictures[] = {
        {"photo.JPG", 7}, {"scan.jpeg", 8}, {"logo.png", 9}, {"anim.gif", 10}};
    for (const auto& [name, width] : pictures) {
        SCOPED_TRACE(name);
        ApplyWallpaper(Picture(name, width, 5), 0, 1);
        ExpectWallpaperPath(WallpaperBitmapPath());
        const auto size = BitmapFileSize(WallpaperBitmapPath());
        ASSERT_TRUE(size.has_value());
        EXPECT_EQ(std::make_pair(width, 5), *size) << "saved at its own size";
    }
}

TEST_F(WallpaperTest, InFullColourEveryKindOfJpegBecomesA24BitBitmapOfItsOwnColours)
{
    const std::vector<uint8_t> rgb(8 * 6 * 3, 0);
    std::vector<uint8_t> orange;
    for (int pixel = 0; pixel < 8 * 6; ++pixel)
        orange.insert(orange.end(), {250, 120, 30});
    const std::string colour = folder.File("colour.jpg");
    const std::string grey = folder.File("grey.jpg");
    const std::string ink = folder.File("ink.jpg");
    const std::string ycck = folder.File("ycck.jpg");
    ASSERT_TRUE(WriteTestJpeg(colour, 8, 6, 3, orange));
    ASSERT_TRUE(WriteTestJpeg(grey, 8, 6, 1, std::vector<uint8_t>(8 * 6, 90)));
    ASSERT_TRUE(WriteTestInkJpeg(ink, 8, 6, orange, InkStorage::AdobeCmyk));
    ASSERT_TRUE(WriteTestInkJpeg(ycck, 8, 6, orange, InkStorage::AdobeYcck));
    const std::string bitmap = folder.File("Quorwall.bmp");
    for (const std::string& picture : {colour, grey, ink, ycck}) {
        SCOPED_TRACE(picture);
        ASSERT_TRUE(ConvertPictureToBitmap(picture, bitmap, false));
        EXPECT_EQ(8, BitmapBitCount(bitmap)) << "as always: a palette";
        ASSERT_TRUE(ConvertPictureToBitmap(picture, bitmap, true));
        EXPECT_EQ(24, BitmapBitCount(bitmap));
        const CImageObject saved(bitmap, BMP);
        uint8_t r = 0, g = 0, b = 0;
        ASSERT_TRUE(saved.GetPixelColor(3, 3, r, g, b));
        const int expected[3] = {picture == grey ? 90 : 250, picture == grey ? 90 : 120, picture == grey ? 90 : 30};
        EXPECT_NEAR(expected[0], r, 8);
        EXPECT_NEAR(expected[1], g, 8);
        EXPECT_NEAR(expected[2], b, 8);
    }
    folder.AddFile("cut.jpg", std::string("\xFF\xD8\xFF", 3));
    EXPECT_FALSE(ConvertPictureToBitmap(folder.File("cut.jpg"), bitmap, true));
}

TEST_F(WallpaperTest, TemporaryFilesOfUnfinishedWritesGoAndNothingElse)
{
    const std::string left = folder.AddFile("~tq1F.tmp", "half a bitmap");
    const std::string other = folder.AddFile("other.tmp", "not ours");
    RemoveAbandonedBitmapFiles({folder.File("Quorwall.bmp")});
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(left.c_str()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(other.c_str()));
}

TEST(StyleAvailability, FitAndFillFromWindows7SpanFromWindows8WithMoreThanOneMonitor)
{
    struct Case {
        SystemForStyles system;
        bool fitAndFill;
        bool span;
    };
    const Case cases[] = {{{5, 1, 2}, false, false}, {{6, 0, 2}, false, false}, {{6, 1, 2}, true, false},
                          {{6, 2, 1}, true, false},  {{6, 2, 2}, true, true},   {{10, 0, 1}, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.system.majorVersion) + "." + std::to_string(c.system.minorVersion) + " with " +
                     std::to_string(c.system.monitors) + " monitors");
        EXPECT_TRUE(CanShowStyle(ShowStretch, c.system));
        EXPECT_EQ(c.fitAndFill, CanShowStyle(ShowFit, c.system));
        EXPECT_EQ(c.fitAndFill, CanShowStyle(ShowFill, c.system));
        EXPECT_EQ(c.span, CanShowStyle(ShowSpan, c.system));
        EXPECT_EQ(c.span ? ShowSpan : ShowStretch, ShowableStyle(ShowSpan, c.system)) << "what cannot show stretches";
    }
}

// The window's side of the changer: a message-only window that takes the
// jobs' messages, and the current picture and options.
class ChangerWindow : public WallpaperChangerHost {
  public:
    ChangerWindow() : m_window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        changer.SetWindow(m_window);
    }
    ~ChangerWindow() override { DestroyWindow(m_window); }
    // Hands the jobs' messages to the changer until it has none running.
    void Settle()
    {
        for (DWORD start = GetTickCount(); changer.Busy() && GetTickCount() - start < 20000;) {
            MSG msg;
            while (PeekMessageA(&msg, m_window, kMessage, kMessage, PM_REMOVE))
                changer.OnJobFinished();
            Sleep(1);
        }
    }

    std::string CurrentPicture() const override { return picture; }
    WallpaperOptions CurrentWallpaperOptions() const override { return {0, style, false}; }
    std::vector<std::string> NextPictures() override { return PicturesAfter(picture); }
    std::vector<std::string> PreviousPictures() override { return {}; }
    void MoveToPicture(const std::string& next, bool) override
    {
        picture = next;
        ++moves;
    }
    void WallpaperShown() override { ++shown; }
    void NoReadablePicture() override { ++unreadable; }

    static constexpr UINT kMessage = WM_APP + 1;
    CWallpaperChanger changer{*this, kMessage};
    std::string picture;
    int style = 0;
    int moves = 0;
    int shown = 0;
    int unreadable = 0;

  private:
    HWND m_window;
};

TEST_F(WallpaperTest, ChangesConvertBesideTheCallerAndOnlyTheNewestWaitingOneRuns)
{
    ChangerWindow window;
    window.picture = Picture("a.jpg", 2000, 1500);
    Picture("b.png", 31, 4);
    window.changer.Request(WallpaperRequest::Current);
    EXPECT_TRUE(window.changer.Busy()) << "a conversion is a job";
    window.changer.Request(WallpaperRequest::Next); // stops the first, replaced before it ran
    window.style = ShowFill;
    window.changer.Request(WallpaperRequest::Current);
    window.Settle();
    EXPECT_EQ(0, window.moves) << "the waiting change to b.png never ran";
    EXPECT_EQ(1, window.shown);
    ExpectStyle("10", "0");
    EXPECT_EQ(2000, BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)).first);

    // Another style for the same picture: the bitmap made for it is shown again.
    const std::uint64_t bitmapBefore = LastWrite(WallpaperBitmapPath());
    window.style = ShowFit;
    window.changer.Request(WallpaperRequest::Current);
    EXPECT_FALSE(window.changer.Busy());
    ExpectStyle("6", "0");
    EXPECT_EQ(bitmapBefore, LastWrite(WallpaperBitmapPath()));

    window.changer.Request(WallpaperRequest::Next);
    window.Settle();
    EXPECT_EQ(window.picture, folder.File("b.png"));
    EXPECT_EQ(31, BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)).first);
}

TEST_F(WallpaperTest, AConversionReplacedOrClosedPartWayStopsAndWritesNothing)
{
    ChangerWindow window;
    const std::string large = window.picture = Picture("large.jpg", 4000, 3000);
    DWORD start = GetTickCount();
    window.changer.Request(WallpaperRequest::Current);
    window.Settle();
    const DWORD whole = GetTickCount() - start;
    window.picture = Picture("small.png", 7, 3);
    window.changer.Request(WallpaperRequest::Current);
    window.Settle();
    const std::uint64_t smallWritten = LastWrite(WallpaperBitmapPath());
    for (bool closing : {false, true}) {
        window.picture = large;
        window.changer.Request(WallpaperRequest::Chosen);
        Sleep(whole / 4); // part way
        start = GetTickCount();
        if (closing) {
            window.changer.FinishBeforeExit(2000);
        } else {
            window.picture = folder.File("small.png");
            window.changer.Request(WallpaperRequest::Chosen);
            for (MSG msg; !PeekMessageA(&msg, nullptr, window.kMessage, window.kMessage, PM_NOREMOVE);)
                Sleep(1); // the stopped job's message
        }
        const DWORD stopped = GetTickCount() - start;
        window.Settle();
        std::printf("whole conversion %lu ms, %s stopped after %lu ms\n", whole, closing ? "closing" : "replaced",
                    stopped);
        EXPECT_LT(stopped * 4, whole) << closing;
        EXPECT_EQ(smallWritten, LastWrite(WallpaperBitmapPath())) << closing;
        WIN32_FIND_DATAA found;
        const HANDLE temporary =
            FindFirstFileA((DirectoryOfPath(WallpaperBitmapPath()) + "\\~tq*.tmp").c_str(), &found);
        EXPECT_EQ(INVALID_HANDLE_VALUE, temporary) << found.cFileName;
        FindClose(temporary);
    }
    EXPECT_EQ(3, window.shown);
}

TEST_F(WallpaperTest, WhenOnlyTheCurrentPictureCanBeReadTheChangeComesBackToIt)
{
    ChangerWindow window;
    window.picture = Picture("current.bmp", 4, 4);
    folder.AddFile("damaged.bmp", "BM");
    folder.AddFile("damaged.gif", "GIF89a");
    window.changer.Request(WallpaperRequest::Next);
    window.Settle();
    EXPECT_EQ(folder.File("current.bmp"), window.picture);
    EXPECT_EQ(1, window.moves);
    ExpectWallpaperPath(window.picture);
}

TEST_F(WallpaperTest, AChoiceThatCannotBeReadIsPassedOverAndAFolderOfNoneIsSaidWhenKnown)
{
    ChangerWindow window;
    ASSERT_TRUE(WritePicture(window.picture = folder.File("a.jpg"), 90, 60, 85)); // cut short
    Picture("b.png", 9, 4);
    EXPECT_TRUE(window.changer.Request(WallpaperRequest::Chosen));
    window.Settle();
    EXPECT_EQ(folder.File("b.png"), window.picture);
    EXPECT_EQ(std::make_pair(9, 4), BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)));

    // Nothing readable, found out by the job: said when it is done, and the
    // style chosen is written alone.
    folder.AddFile("b.png", "no PNG");
    window.picture = folder.File("a.jpg");
    window.style = ShowTile;
    EXPECT_TRUE(window.changer.Request(WallpaperRequest::Chosen));
    window.Settle();
    EXPECT_EQ(1, window.unreadable);
    EXPECT_EQ(1, window.shown);
    ExpectWallpaperPath(WallpaperBitmapPath());
    ExpectStyle("0", "1");

    // Only BMPs, none readable: known at once, so the answer says it.
    DeleteFileA(folder.File("a.jpg").c_str());
    DeleteFileA(folder.File("b.png").c_str());
    window.picture = folder.AddFile("c.bmp", "BM");
    window.style = ShowStretch;
    EXPECT_FALSE(window.changer.Request(WallpaperRequest::Chosen));
    EXPECT_EQ(1, window.unreadable);
    ExpectStyle("2", "0");
}

TEST_F(WallpaperTest, APictureThatCannotBeReadNeverReachesTheDesktop)
{
    ASSERT_EQ(WallpaperChange::Shown, ApplyWallpaper(Picture("good.png", 11, 2), 0, 0));
    const std::string shown = Picture("shown.bmp", 4, 4);
    ASSERT_EQ(WallpaperChange::Shown, ApplyWallpaper(shown, 0, 0));
    // A bitmap cut short: its first 200 bytes, or its headers alone; the
    // other kinds cut to 85 %, as an interrupted copy leaves them.
    const std::vector<uint8_t> whole = ReadFileBytes(Picture("whole.bmp", 500, 400));
    for (const char* cut : {"cut.jpg", "cut.png", "cut.gif"})
        ASSERT_TRUE(WritePicture(folder.File(cut), 300, 200, 85));
    for (const std::string& path :
         {folder.AddFile("empty.bmp", ""), folder.AddFile("broken.jpg", "no JPEG"), folder.AddFile("notes.txt", "text"),
          folder.File("missing.gif"), std::string(), folder.AddFile("cut.bmp", std::string(&whole[0], &whole[200])),
          folder.AddFile("headers.bmp", std::string(&whole[0], &whole[54])), folder.File("cut.jpg"),
          folder.File("cut.png"), folder.File("cut.gif")}) {
        SCOPED_TRACE("'" + path + "'");
        EXPECT_EQ(WallpaperChange::PictureUnreadable, ApplyWallpaper(path, 0, ShowTile));
        ExpectWallpaperPath(shown);
        ExpectStyle("0", "1"); // the choice is kept for the next start
        EXPECT_EQ(std::make_pair(11, 2), BitmapFileSize(WallpaperBitmapPath()).value_or(std::make_pair(0, 0)));
    }
}

TEST_F(WallpaperTest, ARelativePathReachesTheDesktopInFull)
{
    const std::string picture = Picture("relative.bmp", 4, 4);
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    ApplyWallpaper("relative.bmp", 0, 0);
    SetCurrentDirectoryA(previous);
    ExpectWallpaperPath(picture);
}

TEST_F(WallpaperTest, ABitmapHeldByAReaderStaysWholeAndTheConversionSaysItFailed)
{
    const std::string bitmap = folder.File("Quorwall.bmp");
    ASSERT_TRUE(ConvertPictureToBitmap(Picture("first.png", 12, 3), bitmap));
    const HANDLE reader = CreateFileA(bitmap.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ConvertPictureToBitmap(Picture("second.gif", 13, 3), bitmap));
    CloseHandle(reader);
    EXPECT_EQ(std::make_pair(12, 3), BitmapFileSize(bitmap).value_or(std::make_pair(0, 0)));
}

TEST_F(WallpaperTest, TheDefaultUserGetsPathAndStyleWhenAskedAndRemovingLeavesTheStyle)
{
    const std::string picture = Picture("d.bmp", 4, 4);
    ApplyWallpaper(picture, 1, ShowFill);
    EXPECT_EQ(picture, DefaultUserValue("Wallpaper"));
    EXPECT_EQ("10", DefaultUserValue("WallpaperStyle"));
    EXPECT_EQ("0", DefaultUserValue("TileWallpaper"));
    RemoveWallpaper(0);
    ExpectWallpaperPath("");
    ExpectStyle("10", "0");
    EXPECT_EQ(picture, DefaultUserValue("Wallpaper")) << "the default user was not asked for";

    RemoveWallpaper(1);
    EXPECT_EQ("", DefaultUserValue("Wallpaper"));
    EXPECT_EQ("10", DefaultUserValue("WallpaperStyle"));
}

TEST(DesktopWallpaperState, OnlyThePairsAStyleWritesGiveAStyle)
{
    // Read back, every style's pair gives the style that wrote it.
    for (int style = 0; style < 6; ++style)
        EXPECT_EQ(style, ShowModeFromDesktopValues(StyleValuesFor(style)->TileWallpaper,
                                                   StyleValuesFor(style)->WallpaperStyle));
    EXPECT_FALSE(ShowModeFromDesktopValues("1", "2").has_value());
    EXPECT_FALSE(ShowModeFromDesktopValues("1", "10").has_value());
    EXPECT_FALSE(ShowModeFromDesktopValues("", "").has_value());
}

TEST(DesktopWallpaperState, ReadsTheUserDesktopKey)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, kUserDesktopKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", "C:\\pics\\a.bmp");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "TileWallpaper", "1");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", "0");
    DesktopWallpaperState state = ReadDesktopWallpaperState();
    EXPECT_EQ(1, state.ShowPic);
    EXPECT_EQ(1, state.ShowMode);

    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", "");
    WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "WallpaperStyle", "2");
    state = ReadDesktopWallpaperState();
    EXPECT_EQ(0, state.ShowPic);
    EXPECT_FALSE(state.ShowMode.has_value()) << "(\"1\", \"2\") is no style's pair";

    RegDeleteValueA(key, "Wallpaper");
    RegDeleteValueA(key, "TileWallpaper");
    state = ReadDesktopWallpaperState();
    EXPECT_FALSE(state.ShowPic.has_value());
    EXPECT_FALSE(state.ShowMode.has_value()) << "one value of the pair is missing";
    RegCloseKey(key);
}

} // namespace

TEST_F(WallpaperTest, ManyConversionsLeaveNoFileOpenAndNoMemoryBehind)
{
    // The program converts a picture at every change for as long as it runs:
    // picture blocks and file handles must all go back each time. (Wine
    // answers GetGuiResources and GetProcessHandleCount with 0, so the files
    // themselves tell whether a handle stayed open.)
    const std::string pictures[] = {Picture("a.gif", 400, 300), Picture("b.jpg", 401, 301), Picture("c.png", 402, 302),
                                    Picture("d.bmp", 403, 303)};
    const auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
        return counters.PagefileUsage;
    };
    // One round first, so what the libraries set up once is counted in.
    for (const auto& picture : pictures)
        ASSERT_TRUE(ConvertPictureToBitmap(picture, WallpaperBitmapPath()));
    const SIZE_T memoryBefore = privateBytes();
    for (int round = 0; round < 100; ++round)
        for (const auto& picture : pictures)
            ConvertPictureToBitmap(picture, WallpaperBitmapPath());
    // A leaked picture block would be about 360 KB a conversion, 140 MB in all.
    EXPECT_LT(privateBytes(), memoryBefore + 16 * 1024 * 1024);
    for (const auto& picture : pictures)
        EXPECT_TRUE(DeleteFileA(picture.c_str())) << picture << " is still open";
    EXPECT_TRUE(DeleteFileA(WallpaperBitmapPath().c_str())) << "the wallpaper bitmap is still open";
}

// Wine always answers SM_REMOTESESSION 0: the remote session's part of the
// decision is checked here, the values it reads in the journey.
TEST(WallpaperInCharge, ARemoteSessionDecidesOnlyWhenItsComputerForbidsWallpapersAndAPolicyComesFirst)
{
    const std::pair<InChargeFacts, WallpaperInCharge> cases[] = {
        {{false, false, std::nullopt, true, true}, WallpaperInCharge::RemoteSession},
        {{false, false, std::nullopt, true, false}, WallpaperInCharge::Nobody},
        {{false, false, std::nullopt, false, true}, WallpaperInCharge::Nobody},
        {{false, false, DWORD{3}, true, true}, WallpaperInCharge::RemoteSession},
        {{false, true, DWORD{2}, true, true}, WallpaperInCharge::Policy},
        {{false, false, DWORD{1}, false, false}, WallpaperInCharge::Nobody},
    };
    for (const auto& [facts, expected] : cases)
        EXPECT_EQ(expected, WhoIsInCharge(facts)) << facts.remoteSession << facts.remoteWallpaperForbidden;
}

// Every directory call a second long, as on a share far away: the window
// never makes one, so it answers at once all along, and Next comes as soon
// as the catalogue has the folder.
TEST(SlowFolders, TheWindowAnswersWhileTheCatalogueReadsAndNextFollows)
{
    TempFolder folder;
    const std::string a = folder.File("a.bmp");
    const std::string b = folder.File("b.bmp");
    WritePicture(a, 5, 3);
    WritePicture(b, 6, 3);
    testing_support::PresetSettings(testing_support::UsualSettings("0", a));
    testing_support::PresetDesktop(a);
    SetEnvironmentVariableA("TESSALY_SLOW_FOLDERS_MS", "1000");
    testing_support::Tessaly program;
    SetEnvironmentVariableA("TESSALY_SLOW_FOLDERS_MS", nullptr);
    ASSERT_NE(nullptr, program.Window());
    PostMessageA(program.Window(), WM_COMMAND, IDM_NEXT_PICTURE, 0);
    DWORD longest = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 8000; Sleep(20)) {
        const DWORD sent = GetTickCount();
        DWORD_PTR result = 0;
        SendMessageTimeoutA(program.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        longest = std::max(longest, GetTickCount() - sent);
    }
    // A directory call on the window's thread would take a whole second.
    EXPECT_LT(longest, 1000u);
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(b, testing_support::Setting("CurPicFileName"));
}
