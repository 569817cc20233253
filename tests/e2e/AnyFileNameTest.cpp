// Pictures named in Japanese, Greek and with an emoji, in a folder named so
// too, on a system whose code page holds none of them: the program takes
// the stored name, walks on, lists and previews them, shows the one chosen
// and stores its name. The texts here are UTF-8, as the program's are.
// Wine keeps such names on the disk only under a UTF-8 Unix locale that
// exists (LC_ALL=C.UTF-8; this machine has no en_US or zh_CN locale), so
// ctest runs this on its own.

#include "engine/Wallpaper.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/e2e/PictureDialog.h"
#include "tests/e2e/Pictures.h"
#include "tests/support/RealInput.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WallpaperAnnouncements.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

using namespace e2e;
using namespace testing_support;

namespace {

const std::string kNames[] = {"海 a.bmp", "θάλασσα b.jpg", "🌅 c.png"}; // as a.bmp, b.jpg, c.png

std::wstring Wide(const std::string& utf8)
{
    wchar_t wide[1024] = {};
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide, 1024);
    return wide;
}

// The registry's own (UTF-16) value, whatever the test's code page holds.
std::wstring Value(const char* path, const char* name, const std::string* utf8 = nullptr)
{
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (utf8) {
        const std::wstring wide = Wide(*utf8);
        RegSetValueExW(key, Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                       static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }
    RegQueryValueExW(key, Wide(name).c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return text;
}

} // namespace

TEST(AnyFileName, NamesInAnyScriptAreWalkedListedPreviewedShownAndStored)
{
    PictureFolder pictures;
    const std::string folder = pictures.Folder() + "\\Φωτογραφίες 写真 🌄";
    const auto path = [&](int index) { return folder + "\\" + kNames[index]; };
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    const char* journeyNames[] = {"a.bmp", "b.jpg", "c.png"};
    for (int i = 0; i < 3; ++i)
        MoveFileW(Wide(pictures.Path(journeyNames[i])).c_str(), Wide(path(i)).c_str());
    PresetSettings({{"ChangeMode", "1"}}); // one change, at the start
    const std::string first = path(0);
    Value(kSettingsKeyPath, "CurPicFileName", &first);
    Value(kUserDesktopKeyPath, "Wallpaper", &first);
    WallpaperAnnouncements watch{ShownPicture};
    {
        Tessaly program;
        ASSERT_TRUE(watch.WaitFor(1, kProgramDeadline));
        EXPECT_EQ("Q62/8", watch.Shown()[0]) << "the JPEG after the stored picture";

        ASSERT_TRUE(ClickWindow(program.Control(kFirstSkinButtonId))); // select a picture
        HWND dialog = WaitForPictureDialog(program.Window());
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ((std::vector<std::string>{kNames[2], kNames[1], kNames[0]}), ListedFiles(dialog));
        ASSERT_TRUE(ClickListedFile(dialog, 0));
        EXPECT_TRUE(PumpUntil(
            [&] { return WindowTextW(GetDlgItem(dialog, IDC_PICTURE_SIZE)).find(L"63*40") != std::wstring::npos; },
            kProgramDeadline))
            << "the PNG's preview";
        ASSERT_TRUE(ClickWindow(GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(watch.WaitFor(2, kProgramDeadline));
        EXPECT_EQ("Q63/24", watch.Shown()[1]);
        EXPECT_TRUE(program.Close());
    }
    EXPECT_EQ(Wide(path(2)), Value(kSettingsKeyPath, "CurPicFileName"));
    for (int i = 0; i < 3; ++i)
        DeleteFileW(Wide(path(i)).c_str());
    RemoveDirectoryW(Wide(folder).c_str());
    PresetSettings();
    PresetDesktop("");
}
