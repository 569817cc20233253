// The main window in this process: the first tick of its start-up hide
// timer hides a window started with "min" and leaves any other alone, and
// after that tick the timer is gone either way (it used to wake the program
// twenty times a second for its whole life); a click saves the settings once.
// The icon's tip says from the start what a click will do: a window started
// with "min" shows only until that tick, and its tip never flickers to
// "click to hide". A change that falls due while someone works full-screen
// (the shell's answer comes from the test) waits, and comes once it ends.
// Where only an administrator may write the default user's values, its box
// says so and stays unticked.

#include "engine/FullScreenWork.h"
#include "engine/Wallpaper.h"
#include "framework/App.h"
#include "framework/ResourceString.h"
#include "framework/WideText.h"
#include "resources/resource.h"
#include "tests/engine/TestPictures.h"
#include "tests/support/Program.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"
#include "ui/MainSettingsDlg.h"
#include "ui/tray/TrayIcon.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

constexpr UINT_PTR kStartupHideTimer = 3;

// Dispatches this thread's messages until the first tick of the start-up
// hide timer of `window` has been handled; false when none came in time.
bool HandleFirstStartupHideTick(HWND window)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
            if (msg.message == WM_TIMER && msg.hwnd == window && msg.wParam == kStartupHideTimer)
                return true;
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= 15000)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 15000 - waited, QS_ALLINPUT);
    }
}

// The tips the notification icon was given, in order.
std::vector<std::string> tips;
BOOL RecordTip(DWORD action, NotifyIconData* data)
{
    if (action != NIM_DELETE)
        tips.emplace_back(Narrow(data->szTip));
    return TRUE;
}

class StartupHideTimer : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override
    {
        tips.clear();
        SetNotifyIconFunction(&RecordTip);
        PresetSettings({{"ChangeMode", "0"}});
        PresetDesktop("");
        static const HMODULE resources = LoadLibraryA((TestProgramDirectory() + "\\English.dll").c_str());
        AfxSetResourceHandle(resources);
    }
    void TearDown() override
    {
        // Every seam gets the system back, even after a failed assertion.
        SetNotifyIconFunction(nullptr);
        SetNotificationStateQuery(nullptr);
        SetSessionNotificationFunction(nullptr);
        SetDefaultUserWritableForTesting(std::nullopt);
        PresetSettings();
    }
};

TEST_P(StartupHideTimer, TicksOnceAndHidesOnlyAWindowStartedMinimisedWhoseTipNeverOffersToHide)
{
    const bool startMinimised = GetParam();
    CTrayIcon tray(IDI_MAIN);
    CMainSettingsDlg window;
    window.m_startMinimised = startMinimised;
    window.m_trayIcon = &tray;
    ASSERT_TRUE(window.Create(IDD_MAIN_SETTINGS));
    window.ShowWindow(SW_SHOWNORMAL); // as the modal loop shows it

    ASSERT_TRUE(HandleFirstStartupHideTick(window.m_hWnd));
    EXPECT_EQ(!startMinimised, IsWindowVisible(window.m_hWnd) != FALSE);
    EXPECT_FALSE(KillTimer(window.m_hWnd, kStartupHideTimer)) << "the timer outlived its tick";
    const std::string tip = LoadResourceString(startMinimised ? IDS_TIP_CLICK_TO_SHOW : IDS_TIP_CLICK_TO_HIDE);
    EXPECT_EQ(std::set<std::string>{tip}, std::set<std::string>(tips.begin(), tips.end()));
    window.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(StartedWithAndWithoutMin, StartupHideTimer, ::testing::Bool());

int notificationState = 0;
HRESULT WINAPI TestNotificationState(int* state)
{
    *state = notificationState;
    return S_OK;
}

TEST_F(StartupHideTimer, AChangeDueDuringFullScreenWorkWaitsAndComesOnceItEnds)
{
    TempFolder folder;
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
        WritePicture(folder.File(name), 8, 8);
    PresetSettings({{"ChangeMode", "3"},
                    {"ChangeTime", "0.0167"}, // every second
                    {"CurPicFileName", folder.File("a.bmp")}});
    PresetDesktop(folder.File("a.bmp"));
    notificationState = 2; // a full-screen program (QUNS_BUSY)
    SetNotificationStateQuery(TestNotificationState, 100);
    CMainSettingsDlg window;
    ASSERT_TRUE(window.Create(IDD_MAIN_SETTINGS));

    PumpUntil([] { return false; }, 3500);
    EXPECT_EQ(folder.File("a.bmp"), window.m_settings.CurPicFileName);
    notificationState = 5; // QUNS_ACCEPTS_NOTIFICATIONS
    EXPECT_TRUE(PumpUntil([&] { return window.m_settings.CurPicFileName != folder.File("a.bmp"); }, 3000));
    EXPECT_EQ(folder.File("b.bmp"), window.m_settings.CurPicFileName) << "one change for the three ticks";
    window.DestroyWindow();
}

int sessionRegistrations = 0;
BOOL WINAPI RefusingFirstRegistration(HWND, DWORD)
{
    return ++sessionRegistrations > 1;
}

TEST_F(StartupHideTimer, SessionNotificationsAreAskedForAgainWhileTheServiceIsNotReady)
{
    // At log-on the session service may start after the program.
    SetSessionNotificationFunction(RefusingFirstRegistration);
    CMainSettingsDlg window;
    ASSERT_TRUE(window.Create(IDD_MAIN_SETTINGS));
    EXPECT_TRUE(PumpUntil([] { return sessionRegistrations == 2; }, 8000));
    EXPECT_FALSE(KillTimer(window.m_hWnd, 5)) << "asked again after it took";
    window.DestroyWindow();
}

class CountingSaves : public CMainSettingsDlg {
  public:
    void SaveSettings() override
    {
        ++saves;
        CMainSettingsDlg::SaveSettings();
    }
    int saves = 0;
};

TEST_F(StartupHideTimer, EachClickSavesTheSettingsOnce)
{
    PresetDesktop("C:\\no-such-picture.bmp"); // a picture shown: every control is enabled
    CountingSaves window;
    ASSERT_TRUE(window.Create(IDD_MAIN_SETTINGS));
    // Unticking the show-picture box last: it disables the others.
    for (int id : {IDC_SET_DEFAULT_USER, IDC_CHANGE_NEVER, IDC_STYLE_TILE, IDC_SHOW_PICTURE}) {
        window.saves = 0;
        SendMessageA(window.GetDlgItem(id), BM_CLICK, 0, 0);
        EXPECT_EQ(1, window.saves) << "control " << id;
    }
    window.DestroyWindow();
}

TEST_F(StartupHideTimer, TheDefaultUserBoxSaysSoAndStaysUntickedWithoutTheRightsForIt)
{
    SetDefaultUserWritableForTesting(false);
    CMainSettingsDlg window;
    ASSERT_TRUE(window.Create(IDD_MAIN_SETTINGS));
    const HWND box = window.GetDlgItem(IDC_SET_DEFAULT_USER);
    const std::wstring said = AnswerMessageBoxes([&] { SendMessageA(box, BM_CLICK, 0, 0); });
    EXPECT_NE(std::wstring::npos, said.find(L"administrator")) << "said: " << said.size();
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_EQ("0", Setting("SetDefaultUser"));
    window.DestroyWindow();
}

} // namespace
