// While a pop-up of an owner-drawn menu is really tracked, the window that
// owns it hands the measure and draw requests to the menu object that holds
// the pop-up: the items get their sizes and the pop-up shows their icons.
#include "resources/resource.h"
#include "tests/support/WindowHelpers.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/menu/MenuMnemonic.h"
#include "ui/menu/OwnerDrawMenu.h"

#include <gtest/gtest.h>

using namespace ui_test;

namespace {

constexpr COLORREF kIconBlue = RGB(0, 0, 255);
constexpr DWORD kDeadline = 10000; // ms

struct TrackedPopup {
    HWND owner = nullptr;
    HMENU popup = nullptr;
    DWORD start = 0;
    std::vector<RECT> items;
    int bluePixels = 0;
};
TrackedPopup* tracked = nullptr;

// Looks at the pop-up once it is on the screen and painted, then closes it.
void CALLBACK InspectTrackedPopup(HWND, UINT, UINT_PTR, DWORD)
{
    HWND window = TrackedMenuWindow();
    if (!window || !tracked)
        return;
    const int count = GetMenuItemCount(tracked->popup);
    tracked->items.assign(count, RECT{});
    for (int position = 0; position < count; ++position)
        GetMenuItemRect(tracked->owner, tracked->popup, position, &tracked->items[position]);
    // The help and About icons have blue faces: the pop-up shows them.
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    Canvas copy(client.right, client.bottom);
    copy.CopyScreen(origin);
    tracked->bluePixels = copy.Count(client, kIconBlue);
    if (tracked->bluePixels > 0 || GetTickCount() - tracked->start > kDeadline)
        EndMenu();
}

TEST(MenuRouting, TrackedPopupIsMeasuredAndDrawnByItsMenuObject)
{
    ResourceModuleScope module(LanguageModule("chinese.dll"));
    HookedWindow owner("Menu owner");
    ASSERT_NE(owner.m_hWnd, nullptr);
    COwnerDrawMenu menu;
    ASSERT_EQ(menu.LoadMenu(IDR_TRAY_MENU), 1);
    ASSERT_EQ(menu.LoadToolbarIcons(IDR_MENU_ICONS), 1);

    TrackedPopup popup;
    popup.owner = owner.m_hWnd;
    popup.popup = GetSubMenu(menu.GetSafeHmenu(), 0);
    popup.start = GetTickCount();
    tracked = &popup;
    SetForegroundWindow(owner.m_hWnd);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectTrackedPopup);
    TrackPopupMenu(popup.popup, TPM_RIGHTBUTTON | TPM_RETURNCMD, 200, 200, 0, owner.m_hWnd, nullptr);
    KillTimer(nullptr, timer);
    tracked = nullptr;

    ASSERT_FALSE(popup.items.empty()) << "the pop-up was seen on the screen";
    const LONG itemHeight = std::max(GetSystemMetrics(SM_CYMENU), 19);
    for (int position = 0; position < static_cast<int>(popup.items.size()); ++position) {
        const bool separator = GetMenuItemID(popup.popup, position) == 0;
        EXPECT_EQ(popup.items[position].bottom - popup.items[position].top,
                  separator ? GetSystemMetrics(SM_CYMENU) / 2 : itemHeight)
            << position;
    }
    // Wide enough for the text beside two icon widths.
    EXPECT_GT(popup.items.back().right - popup.items.back().left, 33 + 40);
    EXPECT_GT(popup.bluePixels, 40);
    menu.DestroyMenu();
}

} // namespace

// Typed letters pick items by their own texts: one item is chosen, of
// several the next after the selected one is only selected.
TEST(MenuMnemonic, ATypedLetterChoosesItsOnlyItemOrMovesAmongSeveral)
{
    const std::vector<std::wstring> texts = {L"&Next", L"", L"Pa&use", L"&a && b", L"退出程序(&X)\tAlt+F4", L"&Undo"};
    const struct {
        wchar_t key;
        int selected;
        LRESULT answer;
    } cases[] = {{L'n', -1, MAKELRESULT(0, MNC_EXECUTE)},
                 {L'X', 2, MAKELRESULT(4, MNC_EXECUTE)},
                 {L'b', -1, 0},
                 {L'&', -1, 0},
                 {L'u', -1, MAKELRESULT(2, MNC_SELECT)},
                 {L'U', 2, MAKELRESULT(5, MNC_SELECT)},
                 {L'u', 5, MAKELRESULT(2, MNC_SELECT)},
                 {L'A', 0, MAKELRESULT(3, MNC_EXECUTE)}};
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, AnswerMenuChar(texts, c.key, c.selected)) << char(c.key) << " " << c.selected;
}
