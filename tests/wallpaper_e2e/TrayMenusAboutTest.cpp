// The program as a user meets its notification icon, menus, help and About
// box: started hidden at log-on, brought back with a click on the icon,
// ended from the icon's menu; help and the About box from the window.
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/support/Canvas.h"
#include "tests/support/Registry.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/TrayWindows.h"
#include "tests/support/WindowHelpers.h"
#include "ui/controls/DialogColours.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void PresetDefaults()
{
    auto settings = UsualSettings();
    settings["CurSkinIndex"] = "";
    PresetSettings(settings);
}

TEST(TrayMenusAbout, StartedHiddenTheIconShowsTheWindowAndItsMenuEndsTheProgram)
{
    PresetDefaults();
    Tessaly tessaly("min");
    ASSERT_NE(tessaly.Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(tessaly.Window()));
    TrayIconView icon;
    ASSERT_TRUE(WaitForTrayIcon(ProgramText(IDS_TIP_CLICK_TO_SHOW), &icon));

    PostTrayMouse(icon, WM_LBUTTONDOWN);
    PostTrayMouse(icon, WM_LBUTTONUP);
    EXPECT_TRUE(tessaly.BecomesVisible());
    EXPECT_TRUE(WaitForTrayIcon(ProgramText(IDS_TIP_CLICK_TO_HIDE)));

    // Someone else's value: the program writes its own back as it ends.
    WriteStringValue(HKEY_CURRENT_USER, kSettingsKeyPath, "ChangeTime", "77");
    PostTrayMouse(icon, WM_RBUTTONDOWN);
    PostTrayMouse(icon, WM_RBUTTONUP);
    HWND menu = tessaly.WaitForWindowOfClass(L"#32768");
    ASSERT_NE(menu, nullptr);
    // The underlined letter of Exit.
    PostMessageW(menu, WM_CHAR, 'x', 0);
    ASSERT_TRUE(tessaly.Ends());
    EXPECT_EQ(std::stod(Setting("ChangeTime")), 30.0);
    EXPECT_TRUE(WaitForNoTrayIcon(ProgramText(IDS_TIP_CLICK_TO_HIDE)));
}

TEST(TrayMenusAbout, HelpOpensTheHelpFileInTheViewer)
{
    PresetDefaults();
    Tessaly tessaly;
    ASSERT_NE(tessaly.Window(), nullptr);
    PostMessageW(tessaly.Window(), WM_COMMAND, IDM_HELP, 0);
    HWND viewer = tessaly.WaitForWindowOfClass(L"HH Parent");
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(WindowTextW(viewer), L"Orvane Tessaly Help");
    // The viewer has no owner: it stays beside the program.
    EXPECT_EQ(GetWindow(viewer, GW_OWNER), nullptr);
    PostMessageW(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(tessaly.Close());
}

// Pixels of a window as the screen shows them.
int CountScreenPixels(HWND window, COLORREF color)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    Canvas shot(rect.right - rect.left, rect.bottom - rect.top);
    shot.CopyScreen({rect.left, rect.top});
    return shot.Count({0, 0, shot.Width(), shot.Height()}, color);
}

HCURSOR CursorOver(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    PumpUntil(
        [&] {
            SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
            return false;
        },
        300);
    GetCursorInfo(&info);
    return info.hCursor;
}

TEST(TrayMenusAbout, AboutBoxFromTheSystemMenuHasColouredLinksWithTheHandCursor)
{
    PresetDefaults();
    Tessaly tessaly;
    ASSERT_NE(tessaly.Window(), nullptr);
    PostMessageW(tessaly.Window(), WM_SYSCOMMAND, IDM_SYSTEM_ABOUT, 0);
    HWND about = tessaly.WaitForWindowOfClass(L"#32770", L"About Orvane Tessaly");
    ASSERT_NE(about, nullptr);

    HWND home = GetDlgItem(about, IDC_LINK_HOME_PAGE);
    HWND product = GetDlgItem(about, IDC_LINK_PRODUCT_PAGE);
    EXPECT_TRUE(GetWindowLongW(home, GWL_STYLE) & SS_NOTIFY);
    EXPECT_TRUE(PumpUntil([&] { return CountScreenPixels(home, kLinkColour) > 20; }, kProgramDeadline));
    EXPECT_EQ(CountScreenPixels(home, kOtherLinkColour), 0);
    for (int id : {IDC_LINK_PRODUCT_PAGE, IDC_LINK_SHAREWARE_SITE, IDC_LINK_DOWNLOAD_SITE}) {
        // The labels paint one after another: wait for each.
        EXPECT_TRUE(PumpUntil([&] { return CountScreenPixels(GetDlgItem(about, id), kOtherLinkColour) > 20; },
                              kProgramDeadline))
            << id;
        EXPECT_EQ(CountScreenPixels(GetDlgItem(about, id), kLinkColour), 0) << id;
    }

    // Over a link the pointer is the hand; over the box it is not.
    const HCURSOR overLink = CursorOver(home);
    EXPECT_EQ(CursorOver(product), overLink);
    EXPECT_NE(CursorOver(GetDlgItem(about, IDOK)), overLink);
    EXPECT_NE(overLink, nullptr);

    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(about); }, kProgramDeadline));
    EXPECT_TRUE(tessaly.Close());
}

} // namespace
