#include "tests/wallpaper_e2e/OneChange.h"

#include "engine/Wallpaper.h"
#include "tests/support/Registry.h"
#include "tests/wallpaper_e2e/RunningTessaly.h"

#include <gtest/gtest.h>

namespace wallpaper_e2e {

using testing_support::WriteStringValue;

namespace {

constexpr const char* kUserPathValues[] = {"Wallpaper", "ConvertedWallpaper", "OriginalWallpaper"};
constexpr const char* kShellPathValues[] = {"Wallpaper", "BackupWallpaper"};

} // namespace

void StartOnce(const std::string& currentPicture, const std::string& workingDirectory)
{
    PresetSettings({{"AutoRun", "0"},
                    {"ChangeMode", "1"},
                    {"Today", "00000000"},
                    {"ChangeTime", "30"},
                    {"SetDefaultUser", "0"},
                    {"HideShowDesktopIcon", "0"},
                    {"Preview", "1"},
                    {"CurPicFileName", currentPicture}});
    PresetDesktop(kEarlierWallpaper, "0", "0");
    for (const char* name : kUserPathValues)
        WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, name, kEarlierWallpaper);
    for (const char* name : kShellPathValues)
        WriteStringValue(HKEY_CURRENT_USER, kShellDesktopKeyPath, name, kEarlierWallpaper);
    RunningTessaly program("", workingDirectory);
    ASSERT_NE(nullptr, program.Window());
    ASSERT_TRUE(program.Close());
}

void ExpectDesktopUntouched()
{
    for (const char* name : kUserPathValues)
        EXPECT_EQ(kEarlierWallpaper, DesktopValue(name)) << name;
    for (const char* name : kShellPathValues)
        EXPECT_EQ(kEarlierWallpaper, ShellDesktopValue(name)) << name;
}

} // namespace wallpaper_e2e
