#include "tests/wallpaper_e2e/OneChange.h"

#include "engine/Wallpaper.h"
#include "tests/support/Registry.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"

#include <gtest/gtest.h>

namespace wallpaper_e2e {

using namespace testing_support;

namespace {

constexpr const char* kUserPathValues[] = {"Wallpaper", "ConvertedWallpaper", "OriginalWallpaper"};
constexpr const char* kShellPathValues[] = {"Wallpaper", "BackupWallpaper"};

} // namespace

void StartOnce(const std::string& currentPicture, const std::string& workingDirectory, DWORD changeTime)
{
    PresetSettings({{"ChangeMode", "1"}, {"HideShowDesktopIcon", "0"}, {"CurPicFileName", currentPicture}});
    PresetDesktop(kEarlierWallpaper);
    for (const char* name : kUserPathValues)
        WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, name, kEarlierWallpaper);
    for (const char* name : kShellPathValues)
        WriteStringValue(HKEY_CURRENT_USER, kShellDesktopKeyPath, name, kEarlierWallpaper);
    Tessaly program("", "", workingDirectory);
    ASSERT_NE(nullptr, program.Window());
    for (DWORD start = GetTickCount();
         DesktopValue("Wallpaper") == kEarlierWallpaper && GetTickCount() - start < changeTime;)
        Sleep(10);
    ASSERT_TRUE(program.Close());
}

void ExpectDesktopShows(const std::string& path)
{
    for (const char* name : kUserPathValues)
        EXPECT_EQ(path, DesktopValue(name)) << name;
    for (const char* name : kShellPathValues)
        EXPECT_EQ(path, ShellDesktopValue(name)) << name;
}

} // namespace wallpaper_e2e
