// On 64-bit Windows our 32-bit program runs under WOW64: its system
// directory is System32 by name, SysWOW64 on the disk, and the desktop
// that reads the wallpaper values is a 64-bit program. Run in the 64-bit
// prefix only (ctest filters these out of the 32-bit runs).

#include "tests/e2e/Pictures.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>

using namespace e2e;
using namespace testing_support;

namespace {

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string SystemDirectory()
{
    char directory[MAX_PATH] = {};
    GetSystemDirectoryA(directory, MAX_PATH);
    return Lower(directory);
}

std::string Wow64Directory()
{
    char directory[MAX_PATH] = {};
    GetSystemWow64DirectoryA(directory, MAX_PATH);
    return Lower(directory);
}

// Whether a 64-bit program finds a file at `path`: with the redirection
// of System32 to SysWOW64 switched off, this 32-bit process sees the disk
// as it does.
bool SeenBy64BitPrograms(const std::string& path)
{
    PVOID redirection = nullptr;
    if (!Wow64DisableWow64FsRedirection(&redirection))
        return false;
    const bool found = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    Wow64RevertWow64FsRedirection(redirection);
    return found;
}

// Waits until the middle of the screen, where a centred wallpaper lies,
// shows a picture (or the plain desktop colour); false at the deadline.
bool ScreenCentreShowsAPicture(bool picture)
{
    const COLORREF desktopColour = GetSysColor(COLOR_DESKTOP);
    return PumpUntil(
        [&] {
            HDC screen = GetDC(nullptr);
            const COLORREF shown =
                GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
            ReleaseDC(nullptr, screen);
            return shown != CLR_INVALID && (shown != desktopColour) == picture;
        },
        10000);
}

} // namespace

TEST(Wow64, TheConvertedWallpaperIsWhereTheDesktopLooksForIt)
{
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64) && wow64) << "this run belongs in the 64-bit prefix";
    EXPECT_EQ("c:\\windows\\system32", SystemDirectory());
    EXPECT_EQ("c:\\windows\\syswow64", Wow64Directory());

    // Nothing on the screen yet; the stored desktop value names a picture
    // that is gone, so the program still counts the wallpaper as shown.
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""), SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    ASSERT_TRUE(ScreenCentreShowsAPicture(false));
    PresetDesktop("C:\\gone.bmp");
    PictureFolder pictures;
    PresetSettings({{"CurPicFileName", pictures.Path("a.bmp")}});

    Tessaly program;
    ASSERT_NE(nullptr, program.Window());
    BOOL programWow64 = FALSE;
    EXPECT_TRUE(IsWow64Process(program.Process().Handle(), &programWow64) && programWow64);
    ASSERT_TRUE(program.BecomesVisible());

    // The start moved on to b.jpg, converted.
    const std::string wallpaper = DesktopValue("Wallpaper");
    EXPECT_EQ(std::make_pair(62, 40), BitmapFileSize(wallpaper).value_or(std::make_pair(0, 0)));
    EXPECT_TRUE(SeenBy64BitPrograms(wallpaper)) << wallpaper;
    EXPECT_TRUE(ScreenCentreShowsAPicture(true)) << "the desktop shows " << wallpaper;

    EXPECT_TRUE(program.Close());
    PresetSettings();
    PresetDesktop("");
    DeleteFileA(wallpaper.c_str());
}
