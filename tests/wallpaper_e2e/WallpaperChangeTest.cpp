// Tessaly.exe changes the wallpaper by itself: through a real folder of
// pictures in interval mode, once a day in daily mode, and it sets the
// desktop icons to the stored option as it starts.

#include "engine/TodayText.h"
#include "engine/Wallpaper.h"
#include "image/ImageObject.h"
#include "resources/resource.h"
#include "tests/engine/ShellDesktopWindow.h"
#include "tests/engine/TestPictures.h"
#include "tests/image/support/FileBytes.h"
#include "tests/image/support/ModernWriters.h"
#include "tests/image/support/TurnedPictures.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/TrayWindows.h"
#include "tests/support/WallpaperAnnouncements.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

using namespace testing_support;

namespace {

class PictureFolder {
  public:
    // a.bmp, b.bmp, c.jpg, d.png, e.gif, widths 21 to 25.
    PictureFolder()
    {
        int width = 21;
        for (const char* name : {"a.bmp", "b.bmp", "c.jpg", "d.png", "e.gif"})
            WritePicture(Path(name), width++, 4);
    }
    std::string Path(const std::string& name) const { return m_folder.Path() + "\\" + name; }

  private:
    TempFolder m_folder;
};

TEST(WallpaperChanges, IntervalModeWalksThroughTheFolderInOrder)
{
    DeleteFileA(WallpaperBitmapPath().c_str());
    PictureFolder pictures;
    auto settings = UsualSettings("3", pictures.Path("a.bmp"));
    settings["ChangeTime"] = "0.0167"; // about one second
    PresetSettings(settings);
    // A wallpaper is already set, stretched: the program shows pictures, stretched.
    PresetDesktop(pictures.Path("a.bmp"), 2);

    WallpaperAnnouncements announcements(ShownPicture);
    Tessaly program;
    ASSERT_NE(nullptr, program.Window());

    EXPECT_TRUE(announcements.WaitFor(5, 30000));
    const std::vector<std::string> expected = {"b.bmp", "Q23/8", "Q24/24", "Q25/8", "a.bmp"};
    const std::vector<std::string> firstFive(announcements.Shown().begin(),
                                             announcements.Shown().begin() +
                                                 std::min<std::size_t>(5, announcements.Shown().size()));
    EXPECT_EQ(expected, firstFive);
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ("0", DesktopValue("TileWallpaper"));
    EXPECT_EQ("2", ShellDesktopValue("WallpaperStyle"));

    ASSERT_TRUE(program.Close());
    // The picture it remembers is the one the desktop shows.
    const std::string current = Setting("CurPicFileName");
    const std::string last = DesktopValue("Wallpaper");
    if (last == WallpaperBitmapPath()) {
        const std::map<std::string, int> widths = {{"c.jpg", 23}, {"d.png", 24}, {"e.gif", 25}};
        const std::string name = current.substr(current.rfind('\\') + 1);
        ASSERT_EQ(1u, widths.count(name)) << current;
        EXPECT_EQ(widths.at(name), BitmapFileSize(last).value_or(std::make_pair(0, 0)).first);
    } else {
        EXPECT_EQ(last, current);
    }
    EXPECT_EQ("2", Setting("ShowMode"));
    EXPECT_EQ("1", Setting("ShowPic"));
    EXPECT_EQ("3", Setting("ChangeMode"));
    DeleteFileA(WallpaperBitmapPath().c_str());
}

TEST(WallpaperChanges, DailyModeChangesOnceADay)
{
    PictureFolder pictures;
    PresetSettings(UsualSettings("2", pictures.Path("a.bmp")));
    PresetDesktop(pictures.Path("a.bmp"), 1);

    {
        Tessaly first;
        ASSERT_NE(nullptr, first.Window());
        // The change happens while the window initialises.
        EXPECT_EQ(pictures.Path("b.bmp"), DesktopValue("Wallpaper"));
        EXPECT_EQ(GetTodayText(), Setting("Today")) << "written at once, not at the exit";
        EXPECT_EQ("1", DesktopValue("TileWallpaper"));
        ASSERT_TRUE(first.Close());
    }
    {
        Tessaly second;
        ASSERT_NE(nullptr, second.Window());
        EXPECT_EQ(pictures.Path("b.bmp"), DesktopValue("Wallpaper"));
        ASSERT_TRUE(second.Close());
    }
    EXPECT_EQ(pictures.Path("b.bmp"), Setting("CurPicFileName"));
}

TEST(WallpaperChanges, EachStartModeChangesAtEveryStartAndNeverModeNot)
{
    PictureFolder pictures;
    PresetSettings(UsualSettings("1", pictures.Path("a.bmp")));
    PresetDesktop(pictures.Path("a.bmp"));
    for (const char* expected : {"b.bmp", "c.jpg"}) {
        Tessaly program;
        ASSERT_NE(nullptr, program.Window());
        ASSERT_TRUE(program.Close());
        EXPECT_EQ(pictures.Path(expected), Setting("CurPicFileName"));
    }

    PresetSettings(UsualSettings("0", pictures.Path("a.bmp")));
    Tessaly program;
    ASSERT_NE(nullptr, program.Window());
    ASSERT_TRUE(program.Close());
    EXPECT_EQ(pictures.Path("a.bmp"), Setting("CurPicFileName"));
}

TEST(WallpaperChanges, NoPictureOnTheDesktopMeansNoChange)
{
    PictureFolder pictures;
    PresetSettings(UsualSettings("1", pictures.Path("a.bmp")));
    PresetDesktop("");
    Tessaly program;
    ASSERT_NE(nullptr, program.Window());
    EXPECT_FALSE(IsWindowEnabled(program.Control(1005))) << "the change radios wait for a picture";
    ASSERT_TRUE(program.Close());
    EXPECT_EQ("", DesktopValue("Wallpaper"));
    EXPECT_EQ("0", Setting("ShowPic"));
    EXPECT_EQ(pictures.Path("a.bmp"), Setting("CurPicFileName"));
}

TEST(WallpaperChanges, NewerFormatsTakeTheirTurnAndOneWithoutADecoderIsNamedOnce)
{
    const char* corpus = std::getenv("TESSALY_MODERN_CORPUS");
    const std::string files = corpus ? std::string(corpus) + "\\files\\" : "";
    TempFolder folder;
    ASSERT_TRUE(WritePicture(folder.Path() + "\\a.bmp", 21, 4));
    WriteFileBytes(folder.Path() + "\\b.webp", WebpFile(std::vector<uint8_t>(22 * 4 * 4, 90), 22, 4, 90));
    WriteFileBytes(folder.Path() + "\\e.tif", TiffFile(23, 4, 3, 1, std::vector<uint8_t>(23 * 4 * 3, 90)));
    // No encoder here writes HEIF: a 64 x 64 HEIC and a 160 x 480 AVIF
    // stored turned a quarter (irot), from the corpus.
    ASSERT_TRUE(CopyFileA((files + "libheif-fuzzing_corpus_colors-no-alpha.heic").c_str(),
                          (folder.Path() + "\\c.heic").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((files + "kimageformats-autotests_read_avif_rotated090.avif").c_str(),
                          (folder.Path() + "\\d.avif").c_str(), FALSE));
    WriteFileBytes(folder.Path() + "\\f.jxl", {0xFF, 0x0A, 0xFA, 0x7F}); // Wine has no JPEG XL decoder
    // With libheif.dll beside the program, and from a copy of its folder without it.
    TempFolder withoutLibheif;
    CopyProgramFolder(withoutLibheif.Path());
    const std::tuple<std::string, std::wstring, std::vector<std::string>> runs[] = {
        {"", L"JPEG XL", {"Q22/24", "Q64/24", "Q480/24", "Q23/24", "a.bmp", "Q22/24", "Q64/24"}},
        {withoutLibheif.Path(), L"HEIC/HEIF", {"Q22/24", "Q23/24", "a.bmp", "Q22/24", "Q23/24", "a.bmp", "Q22/24"}},
    };
    for (const auto& [programFolder, format, expected] : runs) {
        DeleteFileA(WallpaperBitmapPath().c_str());
        auto settings = UsualSettings("3", folder.Path() + "\\a.bmp");
        settings["ChangeTime"] = "0.0167"; // about one second
        PresetSettings(settings);
        PresetDesktop(folder.Path() + "\\a.bmp");
        // Seven changes, counting the times the tip names the format meanwhile.
        WallpaperAnnouncements announcements(ShownPicture);
        Tessaly program("", programFolder);
        const std::wstring told = ProgramText(IDS_TIP_NO_DECODER) + format;
        int tellings = 0;
        bool telling = false;
        PumpUntil(
            [&] {
                const std::vector<TrayIconView> icons = TrayIcons();
                const bool now = std::any_of(icons.begin(), icons.end(), [&](const TrayIconView& icon) {
                    return icon.tip.find(told) != std::wstring::npos;
                });
                tellings += now && !telling;
                telling = now;
                return announcements.Shown().size() >= 7;
            },
            30000);
        EXPECT_TRUE(program.Close());
        EXPECT_EQ(announcements.Shown(), expected);
        EXPECT_EQ(tellings, 1);
    }
    DeleteFileA(WallpaperBitmapPath().c_str());
}

TEST(WallpaperChanges, TurnedPhotosBecomeUprightWallpapersInEitherColourDepth)
{
    TempFolder folder;
    const std::string a = folder.Path() + "\\a.bmp";
    WritePicture(a, 8, 8);
    // A JPEG in 128 colours and in full colour, a PNG.
    for (int pass = 0; pass < 3; ++pass) {
        const TurnedKind kind = pass == 2 ? TurnedKind::PngColour : TurnedKind::JpegColour;
        const bool fullColour = pass == 1;
        const std::string photo = folder.Path() + (pass == 2 ? "\\b.png" : "\\b.jpg");
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::string which = photo + " " + std::to_string(orientation) + (fullColour ? " full" : "");
            ASSERT_TRUE(WriteTurnedPicture(photo, kind, orientation, ExifBlock(orientation)));
            auto settings = UsualSettings("1", a);
            settings["FullColour"] = fullColour ? "1" : "0";
            PresetSettings(settings);
            PresetDesktop(a);
            Tessaly program;
            ASSERT_NE(nullptr, program.Window());
            ASSERT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") != a; }, 15000)) << which;
            ASSERT_TRUE(program.Close());
            const CImageObject shown(DesktopValue("Wallpaper"), BMP);
            EXPECT_EQ(fullColour || kind == TurnedKind::PngColour ? 24 : 8, shown.GetBitCount()) << which;
            EXPECT_TRUE(IsUpright(shown, kind)) << which;
        }
        DeleteFileA(photo.c_str());
    }
}

TEST(DesktopIconsAtStart, TheStoredOptionIsAppliedAndAMissingOneLeavesTheDesktopAlone)
{
    ShellDesktopWindow desktop;
    auto settings = UsualSettings("0", "");
    PresetDesktop("");

    settings["HideShowDesktopIcon"] = "1";
    PresetSettings(settings);
    {
        Tessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_FALSE(desktop.IsVisible());
        ASSERT_TRUE(program.Close());
    }
    EXPECT_FALSE(desktop.IsVisible()) << "the icons stay hidden after the program ends";

    settings["HideShowDesktopIcon"] = "0";
    PresetSettings(settings);
    {
        Tessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_TRUE(desktop.IsVisible()) << "shown again, although someone else hid them";
        ASSERT_TRUE(program.Close());
    }

    settings.erase("HideShowDesktopIcon");
    PresetSettings(settings);
    desktop.SetVisible(false);
    {
        Tessaly program;
        ASSERT_NE(nullptr, program.Window());
        EXPECT_FALSE(desktop.IsVisible()) << "without a stored option the desktop is left as it is";
        ASSERT_TRUE(program.Close());
    }
}

} // namespace
