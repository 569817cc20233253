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
#include "tests/support/Contrast.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/Program.h"
#include "tests/support/Registry.h"
#include "ui/MainSettingsDlg.h"
#include "ui/main/WindowPlacement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

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

// How the text of a control reads on the colour most of it shows (its
// background): the contrast of the pixel that stands out most. A check or
// radio box is left out, an edit's border too.
double TextContrast(HWND control, COLORREF* background)
{
    RECT area;
    GetWindowRect(control, &area);
    InflateRect(&area, -2, -2);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    area.left += lstrcmpiA(className, "Button") == 0 ? 14 : 0;
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : ReadScreen(area).pixels)
        ++counts[pixel];
    *background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double contrast = 1;
    for (const auto& entry : counts)
        contrast = std::max(contrast, testing_support::ContrastRatio(entry.first, *background));
    return contrast;
}

// Paints the window and its skin now, and saves it for the documentation
// when TESSALY_E2E_SCREENSHOTS names a folder.
void PaintAndSave(HWND window, const char* name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageA(window, WM_TIMER, kRepaintTimer, 0);
    testing_support::PumpUntil([] { return false; }, 300);
    char folder[MAX_PATH] = {};
    RECT rect;
    if (!GetEnvironmentVariableA("TESSALY_E2E_SCREENSHOTS", folder, MAX_PATH) || !GetWindowRect(window, &rect))
        return;
    const PicturePixels shown = ReadScreen(rect);
    WriteBmpFile(std::string(folder) + "\\" + name + ".bmp", shown.width, shown.height,
                 [&](int x, int y) { return shown.At(x, y); });
}

// Disabled texts (no picture shown yet: the schedule, the style, the
// interval's labels with its edit) read on the usual panel, with no box; in high contrast
// ("High Contrast Black" set by the system; the program only hears that it
// is on) every text reads on the system's colours, not the skin's.
TEST_F(SkinWindowTest, EveryTextReadsDisabledOrInHighContrast)
{
    CMainSettingsDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_MAIN_SETTINGS));
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_GRAYTEXT};
    const COLORREF highContrast[] = {0, RGB(255, 255, 255), 0, RGB(255, 255, 255), RGB(63, 242, 63)};
    COLORREF usual[5];
    for (int i = 0; i < 5; ++i)
        usual[i] = GetSysColor(elements[i]);
    for (const bool high : {false, true}) {
        if (high)
            SetSysColors(5, elements, highContrast);
        SetHighContrastForTesting(high);
        PaintAndSave(dialog, high ? "high-contrast" : "readable-disabled");
        for (const int id : {IDC_SHOW_PICTURE, IDC_CHANGE_NEVER, IDC_STYLE_CENTRE, IDC_INTERVAL_LABEL,
                             IDC_INTERVAL_EDIT, IDC_MINUTES_LABEL}) {
            EXPECT_EQ(id == IDC_SHOW_PICTURE, IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE) << id;
            COLORREF background = 0;
            EXPECT_GE(TextContrast(GetDlgItem(dialog, id), &background), id == IDC_SHOW_PICTURE ? 4.5 : 3.0) << id;
            // No box behind a disabled text: the panel, or the system's colour.
            EXPECT_TRUE(id == IDC_INTERVAL_EDIT || background == (high ? RGB(0, 0, 0) : kDialogBackColour)) << id;
        }
    }
    SetHighContrastForTesting(false);
    SetSysColors(5, elements, usual);
}

TEST(WindowPlace, KeptWholeInTheWorkAreaOrCentredWhenNoMonitorHoldsIt)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT centred = OpeningPosition("", {300, 200});
    EXPECT_EQ((work.left + work.right - 300) / 2, centred.x);
    const POINT gone = OpeningPosition("-5000,-5000", {300, 200});
    EXPECT_TRUE(gone.x == centred.x && gone.y == centred.y) << "on a monitor that is gone";
    const POINT edge =
        OpeningPosition(std::to_string(work.right - 10) + "," + std::to_string(work.bottom - 10), {300, 200});
    EXPECT_TRUE(edge.x == work.right - 300 && edge.y == work.bottom - 200) << "off the edge, under the taskbar";
}

} // namespace
