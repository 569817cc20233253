// The notification icon in Wine's real notification area: adding, tips,
// the clicks that show and hide the window, the icon's menu, and the three
// mended faults: a Chinese tip cut at a character boundary, the icon back
// after "TaskbarCreated", and a failed add tried again.
#include "framework/ExceptionBoundary.h"
#include "framework/ResourceString.h"
#include "resources/resource.h"
#include "tests/support/WindowHelpers.h"
#include "tests/support/TrayWindows.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/tray/TipText.h"
#include "ui/tray/TrayIcon.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>
#include <stdexcept>

using namespace ui_test;
using namespace testing_support;

namespace {

constexpr UINT kTrayMessage = WM_USER + 1;
constexpr DWORD kDeadline = 10000; // ms

std::wstring Wide(const std::string& ansi)
{
    std::wstring wide(ansi.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

std::string Ansi(const std::wstring& wide)
{
    std::string ansi(wide.size() * 2 + 1, '\0');
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), ansi.data(),
                                    static_cast<int>(ansi.size()), nullptr, nullptr));
    return ansi;
}

// Shell_NotifyIcon that refuses the first `failures` adds, as it does
// before the notification area exists.
int shellCalls = 0;
int addAttempts = 0;
int failingAdds = 0;
BOOL RefusingFirstAdds(DWORD action, NotifyIconData* data)
{
    ++shellCalls;
    if (action == NIM_ADD && addAttempts++ < failingAdds)
        return FALSE;
    return Shell_NotifyIconW(action, data);
}

// Shell_NotifyIcon that refuses the first add and throws at the next.
BOOL RefusingThenThrowing(DWORD action, NotifyIconData*)
{
    if (action == NIM_ADD && addAttempts++ > 0)
        throw std::runtime_error("no notification area");
    return FALSE;
}
std::string report;

class TrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_EQ(GetACP(), 936u) << "run with LC_ALL=zh_CN.UTF-8";
        window.hook = [this](UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
            if (msg == kTrayMessage) {
                result = tray->OnNotifyIconEvent(wp, lp);
                return true;
            }
            if (msg == CTrayIcon::TaskbarCreatedMessage()) {
                tray->OnTaskbarCreated();
                return true;
            }
            return false;
        };
        tray->SetNotifyWindow(&window, kTrayMessage);
        ASSERT_NE(TrayWindow(), nullptr);
    }

    void TearDown() override
    {
        tray.reset();
        SetNotifyIconFunction(nullptr);
        CTrayIcon::SetAddRetryTiming(0, 0);
    }

    std::string Tip() const { return Ansi(tray->notifyData().szTip); }
    bool Visible() const { return IsWindowVisible(window.m_hWnd) != FALSE; }

    ResourceModuleScope module{LanguageModule("chinese.dll")};
    HookedWindow window{"Tray owner"};
    std::unique_ptr<CTrayIcon> tray = std::make_unique<CTrayIcon>(IDI_MAIN);
};

TEST_F(TrayIconTest, ClicksShowAndHideTheWindowAndTheTipFollows)
{
    const std::string clickToShow = LoadResourceString(IDS_TIP_CLICK_TO_SHOW);
    const std::string clickToHide = LoadResourceString(IDS_TIP_CLICK_TO_HIDE);
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, clickToHide.c_str()));
    TrayIconView icon;
    ASSERT_TRUE(WaitForTrayIcon(Wide(clickToHide), &icon));

    // Visible: a press minimises and hides it; the next shows it again.
    PostTrayMouse(icon, WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, kDeadline));
    EXPECT_EQ(Tip(), clickToShow);
    EXPECT_TRUE(WaitForTrayIcon(Wide(clickToShow)));
    PostTrayMouse(icon, WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return Visible(); }, kDeadline));
    EXPECT_FALSE(IsIconic(window.m_hWnd));
    EXPECT_TRUE(WaitForTrayIcon(Wide(clickToHide)));

    // Minimised on the taskbar: a press restores it rather than hiding it.
    ShowWindow(window.m_hWnd, SW_MINIMIZE);
    PostTrayMouse(icon, WM_LBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return !IsIconic(window.m_hWnd); }, kDeadline));
    EXPECT_TRUE(Visible());

    // A double-click hides with its press and only raises with the rest.
    PostTrayMouse(icon, WM_LBUTTONDOWN);
    PostTrayMouse(icon, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return !Visible(); }, kDeadline));
    PostTrayMouse(icon, WM_MOUSEMOVE); // the double-click has been handled once this comes back
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(Visible());

    // Another icon's messages are not this one's.
    EXPECT_EQ(tray->OnNotifyIconEvent(IDI_MAIN + 1, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(tray->OnNotifyIconEvent(IDI_MAIN, WM_MOUSEMOVE), 0);

    // The icon leaves the notification area with its object.
    tray.reset();
    EXPECT_TRUE(WaitForNoTrayIcon(Wide(clickToShow)));
}

struct MenuState {
    bool seen = false;
    UINT show = 0;
    UINT hide = 0;
};
MenuState* menuState = nullptr;

void CALLBACK InspectTrayMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND menuWindow = TrackedMenuWindow();
    if (!menuWindow || !menuState)
        return;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    menuState->seen = true;
    menuState->show = GetMenuState(menu, IDM_SHOW_WINDOW, MF_BYCOMMAND);
    menuState->hide = GetMenuState(menu, IDM_HIDE_WINDOW, MF_BYCOMMAND);
    EndMenu();
}

TEST_F(TrayIconTest, RightButtonReleaseOpensTheMenuGreyedByVisibility)
{
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, "menu"));
    TrayIconView icon;
    ASSERT_TRUE(WaitForTrayIcon(L"menu", &icon));
    for (bool visible : {true, false}) {
        SCOPED_TRACE(visible);
        ShowWindow(window.m_hWnd, visible ? SW_SHOWNORMAL : SW_HIDE);
        MenuState state;
        menuState = &state;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectTrayMenu);
        // The press does nothing; the menu opens on the release.
        PostTrayMouse(icon, WM_RBUTTONDOWN);
        PumpUntil([] { return TrackedMenuWindow() != nullptr; }, 300);
        EXPECT_FALSE(state.seen);
        PostTrayMouse(icon, WM_RBUTTONUP);
        PumpUntil([&] { return state.seen; }, kDeadline);
        KillTimer(nullptr, timer);
        menuState = nullptr;
        ASSERT_TRUE(state.seen);
        EXPECT_EQ((state.show & MF_GRAYED) != 0, visible);
        EXPECT_EQ((state.hide & MF_GRAYED) != 0, !visible);
    }
}

TEST_F(TrayIconTest, LongChineseTipIsCutAtACharacterBoundaryWithAnEllipsis)
{
    // 127 Chinese characters fit whole; 140 are cut to 126 and an ellipsis.
    std::wstring longTip;
    for (int i = 0; i < 140; ++i)
        longTip += static_cast<wchar_t>(0x4E00 + i * 7);
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, Ansi(longTip.substr(0, 127)).c_str()));
    EXPECT_TRUE(WaitForTrayIcon(longTip.substr(0, 127)));
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, Ansi(longTip).c_str()));
    EXPECT_TRUE(WaitForTrayIcon(longTip.substr(0, 126) + L"\x2026"));
    // An emoji is two UTF-16 units: never cut between them.
    const std::wstring emoji = L"ab\xD83C\xDF05"
                               L"c";
    EXPECT_EQ(FittedTip(emoji, 4), L"ab\x2026");
    EXPECT_EQ(FittedTip(emoji, 5), emoji);
}

TEST_F(TrayIconTest, IconComesBackWhenTheTaskbarIsCreatedAgain)
{
    const std::string tip = LoadResourceString(IDS_TIP_CLICK_TO_SHOW);
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, tip.c_str()));
    ASSERT_TRUE(WaitForTrayIcon(Wide(tip)));

    // A new taskbar knows no icons: take ours away behind its back.
    NOTIFYICONDATAA gone = {};
    gone.cbSize = NOTIFYICONDATAA_V1_SIZE;
    gone.hWnd = window.m_hWnd;
    gone.uID = IDI_MAIN;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &gone));
    ASSERT_TRUE(WaitForNoTrayIcon(Wide(tip)));

    PostMessageW(HWND_BROADCAST, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(WaitForTrayIcon(Wide(tip)));

    // Any program may send it while the taskbar lives on, the icon still
    // there: the refused add changes the icon, later tips still reach it.
    PostMessageW(HWND_BROADCAST, CTrayIcon::TaskbarCreatedMessage(), 0, 0);
    PumpUntil([] { return false; }, 300);
    tray->SetTipDetail("after");
    EXPECT_TRUE(WaitForTrayIcon(Wide(tip) + L"\nafter"));
    EXPECT_FALSE(tray->RetryingAdd());
    tray->SetTipDetail("");

    // A removed icon stays removed.
    ASSERT_TRUE(tray->SetIconAndTip(0u, nullptr));
    ASSERT_TRUE(WaitForNoTrayIcon(Wide(tip)));
    tray->OnTaskbarCreated();
    PumpUntil([] { return false; }, 300);
    EXPECT_TRUE(WaitForNoTrayIcon(Wide(tip), 0));
}

TEST_F(TrayIconTest, ABalloonIsShownOnceAndOnlyOverAShownIcon)
{
    static std::vector<std::pair<DWORD, std::wstring>> balloons;
    balloons.clear();
    SetNotifyIconFunction([](DWORD action, NotifyIconData* data) -> BOOL {
        if (data->uFlags & NIF_INFO)
            balloons.emplace_back(action, data->szInfo);
        return Shell_NotifyIconW(action, data);
    });
    EXPECT_FALSE(tray->ShowBalloon("no icon yet"));
    ASSERT_TRUE(tray->SetIconAndTip(IDI_MAIN, "balloon"));
    EXPECT_TRUE(tray->ShowBalloon("Skipped: JPEG XL"));
    // Later changes of the icon do not bring it back.
    tray->SetTipDetail("next picture");
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].first, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(balloons[0].second, L"Skipped: JPEG XL");
    ASSERT_TRUE(tray->SetIconAndTip(0u, nullptr));
}

TEST_F(TrayIconTest, FailedAddIsTriedAgainForALimitedTime)
{
    // The notification area takes the icon at the third try.
    SetNotifyIconFunction(RefusingFirstAdds);
    addAttempts = 0;
    failingAdds = 2;
    CTrayIcon::SetAddRetryTiming(100, 5000);
    EXPECT_FALSE(tray->SetIconAndTip(IDI_MAIN, "retry"));
    EXPECT_TRUE(tray->RetryingAdd());
    ASSERT_TRUE(WaitForTrayIcon(L"retry"));
    EXPECT_EQ(addAttempts, 3);
    EXPECT_FALSE(tray->RetryingAdd());
    ASSERT_TRUE(tray->SetIconAndTip(0u, nullptr));

    // It never takes it: the tries end when their time is up.
    addAttempts = 0;
    failingAdds = 1000000;
    CTrayIcon::SetAddRetryTiming(20, 300);
    EXPECT_FALSE(tray->SetIconAndTip(IDI_MAIN, "never"));
    ASSERT_TRUE(PumpUntil([&] { return !tray->RetryingAdd(); }, kDeadline));
    EXPECT_GE(addAttempts, 3);
    const int calls = shellCalls;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(shellCalls, calls);

    // Nothing shown: removing succeeds without asking the shell.
    EXPECT_TRUE(tray->SetIconAndTip(0u, nullptr));
    EXPECT_EQ(shellCalls, calls);

    // A try that throws stops at the barrier around the timer's callback.
    const ExceptionReporter previous = SetExceptionReporter([](const char* what) { report = what; });
    SetNotifyIconFunction(RefusingThenThrowing);
    addAttempts = 0;
    EXPECT_FALSE(tray->SetIconAndTip(IDI_MAIN, "throws"));
    EXPECT_TRUE(PumpUntil([] { return !report.empty(); }, kDeadline));
    EXPECT_EQ(report, "no notification area");
    SetExceptionReporter(previous);
}

} // namespace
