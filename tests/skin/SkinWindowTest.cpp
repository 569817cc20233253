// The skinned main window in this process: a long run of repaints, hover
// changes and control colour requests leaves no GDI object behind, and
// closing the window takes its skin buttons with it.

#include "engine/ChangeScheduler.h"
#include "framework/App.h"
#include "framework/GdiObject.h"
#include "resources/resource.h"
#include "settings/Settings.h"
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
        testing_support::DeleteKeyTree(HKEY_CURRENT_USER, kSettingsKeyPath);
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
    EXPECT_EQ(after.created - before.created,
              (after.deleted - before.deleted) + (after.detached - before.detached));

    HWND firstButton = GetDlgItem(window, kFirstButtonId);
    dialog.DestroyWindow();
    EXPECT_FALSE(IsWindow(firstButton));
}

} // namespace
