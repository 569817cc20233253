// The skinned main window in this process: which pictures its buttons
// show as the mouse moves between them and onto the window's body, read
// back from the screen; a long run of repaints and hover changes leaves no
// GDI object behind; closing the window takes its skin buttons with it.

#include "engine/ChangeScheduler.h"
#include "engine/Wallpaper.h"
#include "framework/App.h"
#include "framework/GdiObject.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/skin/support/ScreenPixels.h"
#include "tests/support/Program.h"
#include "tests/support/Registry.h"
#include "ui/MainSettingsDlg.h"

#include <gtest/gtest.h>

namespace {

constexpr int kFirstButtonId = 10000;
constexpr int kButtons = 6;

class SkinWindowTest : public testing::Test {
  protected:
    void SetUp() override
    {
        // A first start with no picture shown: the select-picture button is disabled.
        testing_support::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
        testing_support::WriteStringValue(HKEY_CURRENT_USER, kUserDesktopKeyPath, "Wallpaper", "");
        module_ = LoadLibraryA((testing_support::TestProgramDirectory() + "\\English.dll").c_str());
        ASSERT_NE(nullptr, module_);
        AfxSetResourceHandle(module_);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(AfxGetInstanceHandle());
        FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
};

// What a user's mouse and the system's painting do to the window, over and over.
void Exercise(HWND window, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        SendMessageA(window, WM_TIMER, kRepaintTimer, 0);
        SendMessageA(GetDlgItem(window, kFirstButtonId + round % kButtons), WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(8, 300));
        if (round % 25 == 0)
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

TEST_F(SkinWindowTest, RepaintsAndHoverChangesLeaveNoGdiObjectBehind)
{
    CMainSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_MAIN_SETTINGS));
    HWND window = dialog.m_hWnd;
    for (int index = 0; index < kButtons; ++index)
        ASSERT_NE(nullptr, GetDlgItem(window, kFirstButtonId + index)) << index;

    Exercise(window, 1); // the control brush is made once, for the window's life
    const GdiOwnerCount before = GdiOwnerCounters();
    Exercise(window, 1000);
    const GdiOwnerCount after = GdiOwnerCounters();
    EXPECT_EQ(after.created - before.created, (after.deleted - before.deleted) + (after.detached - before.detached));

    HWND firstButton = GetDlgItem(window, kFirstButtonId);
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(firstButton));
}

TEST_F(SkinWindowTest, MovingBetweenButtonsAndOntoTheBodyRedrawsThem)
{
    CMainSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_MAIN_SETTINGS));
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const std::string folder = testing_support::TestProgramDirectory() + "\\5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58";
    auto button = [&](int index) { return GetDlgItem(dialog, kFirstButtonId + index); };
    auto shows = [&](int index, int state) { return SkinButtonShows(button(index), folder, index, state); };
    auto mouseOn = [&](HWND window) { SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10)); };

    // The skin's first repaint, 50 ms after the window painted; then any
    // paint still due is done at once, so no repaint of the skin comes in
    // between the moves below.
    ASSERT_TRUE(shows(1, Normal));
    UpdateWindow(dialog);
    SendMessageA(dialog, WM_TIMER, kRepaintTimer, 0);
    EXPECT_TRUE(shows(0, Disabled));
    mouseOn(button(2));
    EXPECT_TRUE(shows(2, Hover));
    mouseOn(button(3));
    EXPECT_TRUE(shows(3, Hover));
    EXPECT_TRUE(shows(2, Normal));
    mouseOn(dialog);
    EXPECT_TRUE(shows(3, Normal));
    mouseOn(button(2));
    EXPECT_TRUE(shows(2, Hover));
    // A disabled button reports no hover: button 2 keeps its picture.
    mouseOn(button(0));
    EXPECT_TRUE(shows(0, Disabled));
}

} // namespace
