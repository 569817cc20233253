// Measuring and drawing owner-drawn items into a memory canvas, checked at
// the pixels that say the item looks right: where the highlight starts, the
// raised and sunken icon frames, the embossed disabled icon, the tick and
// the dot, the right-aligned shortcut and the etched separator.
#include "resources/resource.h"
#include "tests/ui/UiTestSupport.h"
#include "framework/InterfaceFont.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/menu/PlatformClass.h"

#include <gtest/gtest.h>

using namespace ui_test;

namespace {

constexpr COLORREF kUnpainted = RGB(255, 0, 255);
constexpr COLORREF kAboutBlue = RGB(0, 0, 255); // the About icon's face
constexpr COLORREF kShowGreen = RGB(0, 128, 0); // the show-window arrow
constexpr int kWidth = 200;

COLORREF Sys(int index)
{
    return GetSysColor(index);
}

class MenuDrawTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(IsNewShell()); // every Windows the program meets today
        ASSERT_EQ(menu.LoadMenu(IDR_TRAY_MENU), 1);
        ASSERT_EQ(menu.LoadToolbarIcons(IDR_MENU_ICONS), 1);
        popup = menu.Submenus()[0].get();
    }

    OwnerDrawItem* Item(UINT command)
    {
        return menu.FindItemByCommand(command).first->ItemAt(menu.FindItemByCommand(command).second);
    }

    void Draw(Canvas& canvas, COwnerDrawMenu& owner, const OwnerDrawItem* record, RECT rect, UINT state)
    {
        DRAWITEMSTRUCT request = {ODT_MENU,       0,     static_cast<UINT>(record->command),
                                  ODA_DRAWENTIRE, state, reinterpret_cast<HWND>(owner.GetSafeHmenu()),
                                  canvas.Dc(),    rect,  reinterpret_cast<ULONG_PTR>(record)};
        owner.DrawItem(&request);
    }

    ResourceModuleScope module{LanguageModule("English.dll")};
    COwnerDrawMenu menu;
    COwnerDrawMenu* popup = nullptr;
};

TEST_F(MenuDrawTest, MeasuresTextPlusTwoIconWidthsAndHalfLineSeparators)
{
    const OwnerDrawItem* exit = Item(IDM_EXIT);
    MEASUREITEMSTRUCT request = {ODT_MENU, 0, IDM_EXIT, 0, 0, reinterpret_cast<ULONG_PTR>(exit)};
    popup->MeasureItem(&request);
    CFont font = CreateMenuFont(COwnerDrawMenu::ShownDpi());
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, font.GetHandle());
    SIZE text = {};
    GetTextExtentPoint32W(screen, exit->text.c_str(), static_cast<int>(exit->text.size()), &text);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(request.itemWidth, UINT(text.cx + 33));
    EXPECT_EQ(request.itemHeight, UINT(std::max(GetSystemMetrics(SM_CYMENU), 19)));

    const OwnerDrawItem* separator = popup->ItemAt(3);
    ASSERT_TRUE(separator->IsSeparator());
    request = {ODT_MENU, 0, 0, 0, 0, reinterpret_cast<ULONG_PTR>(separator)};
    popup->MeasureItem(&request);
    EXPECT_EQ(request.itemWidth, 0u);
    EXPECT_EQ(request.itemHeight, UINT(GetSystemMetrics(SM_CYMENU) / 2));
}

TEST_F(MenuDrawTest, SelectedIconSitsInARaisedFrameBesideTheHighlight)
{
    Canvas canvas(kWidth, 19 + 29, kUnpainted);
    Draw(canvas, *popup, Item(IDM_ABOUT), {0, 0, kWidth, 19}, ODS_SELECTED);
    // The highlight starts an icon width and 5 pixels in.
    EXPECT_EQ(canvas.Pixel(21, 1), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(kWidth - 1, 17), Sys(COLOR_HIGHLIGHT));
    EXPECT_NE(canvas.Pixel(20, 1), Sys(COLOR_HIGHLIGHT));
    // Frame B, 20 x 19 at the item's corner: light above and left, shadow
    // below and right; the icon inside it.
    EXPECT_EQ(canvas.Pixel(8, 0), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(0, 8), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Pixel(19, 8), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(8, 18), Sys(COLOR_BTNSHADOW));
    EXPECT_GT(canvas.Count({2, 2, 18, 17}, kAboutBlue), 40);

    // A checked one sinks in; a taller item centres its frame (m = 5).
    Draw(canvas, *popup, Item(IDM_ABOUT), {0, 19, kWidth, 19 + 29}, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(canvas.Pixel(8, 19 + 5), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(19, 19 + 5 + 8), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_NE(canvas.Pixel(8, 19 + 4), Sys(COLOR_BTNSHADOW));
}

TEST_F(MenuDrawTest, GrayedItemsShowAnEmbossedIconAndText)
{
    Canvas canvas(kWidth, 38, kUnpainted);
    Draw(canvas, *popup, Item(IDM_SHOW_WINDOW), {0, 0, kWidth, 19}, ODS_GRAYED);
    const RECT icon = {2, 2, 18, 17};
    EXPECT_EQ(canvas.Count(icon, kShowGreen), 0);
    EXPECT_GT(canvas.Count(icon, Sys(COLOR_BTNSHADOW)), 20);
    const RECT text = {25, 0, kWidth, 19};
    EXPECT_GT(canvas.Count(text, Sys(COLOR_GRAYTEXT)), 10);
    EXPECT_EQ(canvas.Count(text, Sys(COLOR_MENUTEXT)), 0);
    if (Sys(COLOR_BTNHIGHLIGHT) != Sys(COLOR_MENU)) {
        EXPECT_GT(canvas.Count(text, Sys(COLOR_BTNHIGHLIGHT)), 10);
    }

    // Under the mouse the grayed text takes the menu colour on the highlight.
    Draw(canvas, *popup, Item(IDM_SHOW_WINDOW), {0, 19, kWidth, 38}, ODS_GRAYED | ODS_SELECTED);
    const RECT selectedText = {25, 19, kWidth, 38};
    EXPECT_GT(canvas.Count(selectedText, Sys(COLOR_MENU)), 10);
    EXPECT_EQ(canvas.Count(selectedText, Sys(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(canvas.Pixel(21, 20), Sys(COLOR_HIGHLIGHT));
}

TEST_F(MenuDrawTest, ShortcutEndsAnIconWidthShortOfTheEdgeAndSeparatorsAreEtchedLines)
{
    Canvas canvas(kWidth, 19 + 10, kUnpainted);
    Draw(canvas, *popup, Item(IDM_EXIT), {0, 0, kWidth, 19}, 0);
    int rightmostInk = -1;
    for (int x = 0; x < kWidth; ++x)
        if (canvas.Count({x, 0, x + 1, 19}, Sys(COLOR_MENUTEXT)) > 0)
            rightmostInk = x;
    EXPECT_LT(rightmostInk, kWidth - 16);
    EXPECT_GE(rightmostInk, kWidth - 16 - 4);
    EXPECT_EQ(canvas.Count({0, 0, kWidth, 19}, kUnpainted), 0);

    // A separator 10 pixels high: only the etched line through its middle.
    Draw(canvas, *popup, popup->ItemAt(3), {0, 19, kWidth, 29}, 0);
    EXPECT_EQ(canvas.Pixel(50, 19 + 5), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(50, 19 + 6), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Count({0, 19, kWidth, 19 + 5}, kUnpainted), kWidth * 5);
}

TEST_F(MenuDrawTest, CheckedItemWithoutIconGetsTheTickOrTheDot)
{
    COwnerDrawMenu checks;
    checks.Attach(CreatePopupMenu());
    ASSERT_TRUE(checks.AppendOwnerDrawItem(L"Tick", MF_CHECKED, 100, -1));
    ASSERT_TRUE(checks.AppendOwnerDrawItem(L"Dot", MF_CHECKED, 101, -1));
    CBitmap radio(CreateBitmap(13, 13, 1, 1, nullptr));
    SetMenuItemBitmaps(checks.GetSafeHmenu(), 101, MF_BYCOMMAND, nullptr, radio.GetHandle());

    Canvas canvas(kWidth, 38, kUnpainted);
    Draw(canvas, checks, checks.ItemAt(0), {0, 0, kWidth, 19}, ODS_CHECKED);
    // Box K = (1, 2, 17, 17), sunken, light inside; the tick from (5, 6).
    constexpr int kTops[] = {2, 3, 4, 3, 2, 1, 0};
    int tick = 0;
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 3; ++row)
            tick += canvas.Pixel(5 + column, 6 + kTops[column] + row) == Sys(COLOR_MENUTEXT);
    EXPECT_EQ(tick, 21);
    EXPECT_EQ(canvas.Count({2, 3, 16, 16}, Sys(COLOR_MENUTEXT)), 21);
    EXPECT_EQ(canvas.Pixel(14, 14), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.Pixel(1, 2), Sys(COLOR_BTNSHADOW));

    Draw(canvas, checks, checks.ItemAt(1), {0, 19, kWidth, 38}, ODS_CHECKED);
    // The dot fills the 6 x 6 square at (K.left + 5, K.top + 4).
    EXPECT_EQ(canvas.Pixel(8, 19 + 8), Sys(COLOR_MENUTEXT));
    EXPECT_NE(canvas.Pixel(5, 19 + 8), Sys(COLOR_MENUTEXT));
    checks.DestroyMenu();
}

TEST_F(MenuDrawTest, DrawingLeavesNoGdiObjectBehind)
{
    Canvas canvas(kWidth, 19, kUnpainted);
    const GdiOwnerCount before = GdiOwnerCounters();
    for (int i = 0; i < 200; ++i) {
        for (UINT command : {IDM_SHOW_WINDOW, IDM_ABOUT, IDM_EXIT})
            Draw(canvas, *popup, Item(command), {0, 0, kWidth, 19}, i % 2 ? ODS_GRAYED : ODS_SELECTED);
    }
    const GdiOwnerCount after = GdiOwnerCounters();
    EXPECT_GT(after.created, before.created);
    EXPECT_EQ(after.created - before.created, (after.deleted - before.deleted) + (after.detached - before.detached));
}

} // namespace
