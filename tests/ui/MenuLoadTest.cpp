// Menus 103 and 137 loaded from both language modules into owner-drawn
// menus: the tree, the records, the icons, the padded shortcut, and
// templates that are missing or cut short.
#include "resources/resource.h"
#include "tests/ui/UiTestSupport.h"
#include "framework/InterfaceFont.h"
#include "ui/menu/MenuTemplate.h"
#include "ui/menu/OwnerDrawMenu.h"

#include <gtest/gtest.h>

using namespace ui_test;

namespace {

struct Expected {
    UINT command; // 0 for a separator
    int image;    // picture in toolbar 143; -1 without an icon
};

const std::vector<Expected> kPicturePart = {{IDM_NEXT_PICTURE, 4},
                                            {IDM_PREVIOUS_PICTURE, 5},
                                            {IDM_OPEN_PICTURE_FOLDER, 6},
                                            {0, -1},
                                            {IDM_NEVER_SHOW_PICTURE, 7},
                                            {IDM_SHOW_EXCLUDED_AGAIN, 8},
                                            {0, -1},
                                            {IDM_PAUSE_CHANGES, 9},
                                            {IDM_SHUFFLE, 10},
                                            {IDM_INCLUDE_SUBFOLDERS, 12},
                                            {IDM_FULL_COLOUR, 11},
                                            {0, -1}};
std::vector<Expected> AfterPicturePart(std::vector<Expected> items)
{
    items.insert(items.begin(), kPicturePart.begin(), kPicturePart.end());
    return items;
}
const std::vector<Expected> kContextMenu =
    AfterPicturePart({{IDM_HIDE_WINDOW, 2}, {0, -1}, {IDM_HELP, 1}, {IDM_ABOUT, 0}, {0, -1}, {IDM_EXIT, -1}});
const std::vector<Expected> kTrayMenu = AfterPicturePart(
    {{IDM_SHOW_WINDOW, 3}, {IDM_HIDE_WINDOW, 2}, {0, -1}, {IDM_HELP, 1}, {IDM_ABOUT, 0}, {0, -1}, {IDM_EXIT, -1}});

LONG LabelWidth(const std::wstring& text)
{
    CFont font = CreateMenuFont(COwnerDrawMenu::ShownDpi());
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font.GetHandle());
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

class MenuLoadTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MenuLoadTest, BothMenusBecomeOwnerDrawnTreesWithTheirToolbarIcons)
{
    ResourceModuleScope module(LanguageModule(GetParam()));
    for (const auto& [menuId, expected] :
         {std::pair{IDR_CONTEXT_MENU, kContextMenu}, std::pair{IDR_TRAY_MENU, kTrayMenu}}) {
        SCOPED_TRACE(menuId);
        COwnerDrawMenu menu;
        ASSERT_EQ(menu.LoadMenu(menuId), 1);
        ASSERT_EQ(menu.LoadToolbarIcons(IDR_MENU_ICONS), 1);

        // The top level is a plain text item again, opening the pop-up.
        HMENU root = menu.GetSafeHmenu();
        ASSERT_EQ(GetMenuItemCount(root), 1);
        ASSERT_EQ(menu.Items().size(), 1u);
        EXPECT_EQ(menu.Items()[0]->flags, UINT(MF_BYPOSITION | MF_POPUP));
        MENUITEMINFOW top = {};
        top.cbSize = sizeof top;
        top.fMask = MIIM_FTYPE;
        GetMenuItemInfoW(root, 0, TRUE, &top);
        EXPECT_EQ(top.fType & MFT_OWNERDRAW, 0u);
        ASSERT_EQ(menu.Submenus().size(), 1u);
        const COwnerDrawMenu& popup = *menu.Submenus()[0];
        EXPECT_EQ(popup.GetSafeHmenu(), GetSubMenu(root, 0));
        EXPECT_EQ(CMenu::FromHandle(popup.GetSafeHmenu()), &popup);

        ASSERT_EQ(GetMenuItemCount(popup.GetSafeHmenu()), static_cast<int>(expected.size()));
        for (size_t position = 0; position < expected.size(); ++position) {
            SCOPED_TRACE(position);
            const OwnerDrawItem* record = popup.ItemAt(static_cast<int>(position));
            ASSERT_NE(record, nullptr);
            MENUITEMINFOW info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
            GetMenuItemInfoW(popup.GetSafeHmenu(), static_cast<UINT>(position), TRUE, &info);
            EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
            EXPECT_EQ(info.dwItemData, reinterpret_cast<ULONG_PTR>(record));
            if (expected[position].command == 0) {
                EXPECT_EQ(record->flags, UINT(MF_SEPARATOR | MF_OWNERDRAW));
                continue;
            }
            EXPECT_EQ(info.wID, expected[position].command);
            EXPECT_EQ(record->command, expected[position].command);
            EXPECT_EQ(record->imageIndex, expected[position].image);
            EXPECT_EQ(record->HasIcon(), expected[position].image >= 0);
            if (record->HasIcon()) {
                EXPECT_GT(ImageList_GetImageCount(record->images.Get()), record->imageIndex);
            }
        }

        // The one shortcut item is padded to the widest label plus a space
        // (the labels as the template gives them: without the padding).
        LONG widest = 0;
        for (const auto& record : popup.Items()) {
            std::wstring label = record->text.substr(0, record->text.find(L'\t'));
            label.erase(label.find_last_not_of(L' ') + 1);
            widest = std::max(widest, LabelWidth(label + L" "));
        }
        const std::wstring exitText = popup.ItemAt(static_cast<int>(expected.size() - 1))->text;
        const std::wstring label = exitText.substr(0, exitText.find(L'\t'));
        EXPECT_EQ(exitText.substr(exitText.find(L'\t')), L"\tAlt+F4");
        EXPECT_GE(LabelWidth(label), widest);
        EXPECT_LT(LabelWidth(label.substr(0, label.size() - 1)), widest);

        // A command in the toolbar that the menu lacks gets no record.
        EXPECT_EQ(menu.FindItemByCommand(12345).first, nullptr);
        menu.DestroyMenu();
        EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
        EXPECT_TRUE(menu.Items().empty());
        EXPECT_TRUE(menu.Submenus().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, MenuLoadTest, ::testing::Values("English.dll", "chinese.dll"));

TEST(MenuLoad, MissingAndCutTemplatesFailCleanly)
{
    ResourceModuleScope module(LanguageModule("chinese.dll"));
    COwnerDrawMenu menu;
    EXPECT_EQ(menu.LoadMenu(4242u), 0);
    EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
    EXPECT_EQ(menu.LoadToolbarIcons(4242), 0);

    // Every cut of the real template ends the reading with a failure
    // before its last item, never past the end of the bytes.
    HRSRC found = FindResourceA(LanguageModule("chinese.dll"), MAKEINTRESOURCEA(IDR_TRAY_MENU), MAKEINTRESOURCEA(4));
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(LanguageModule("chinese.dll"), found)));
    const DWORD size = SizeofResource(LanguageModule("chinese.dll"), found);
    // The pop-up and its seventeen items; what follows them is padding.
    constexpr int kItems = 1 + 17;
    size_t end = 0;
    auto countItems = [&](size_t length) {
        std::vector<BYTE> copy(bytes, bytes + length);
        MenuTemplateReader reader(copy.data(), copy.size());
        int items = 0;
        MenuTemplateItem item;
        while (items < kItems && reader.Next(item))
            ++items;
        end = reader.Position();
        return items;
    };
    ASSERT_EQ(countItems(size), kItems);
    const size_t templateEnd = end;
    ASSERT_LE(templateEnd, size);
    for (size_t length = 0; length < templateEnd; ++length)
        EXPECT_LT(countItems(length), kItems) << length;
}

// A window on a monitor of twice the DPI gets its menus' and tooltips' fonts
// twice as tall, whatever the system's own DPI.
TEST(InterfaceFont, MenuAndTipFontsFollowTheWindowsDpi)
{
    for (CFont (*create)(UINT) : {CreateMenuFont, CreateToolTipFont}) {
        LOGFONTA single = {};
        LOGFONTA twice = {};
        GetObjectA(create(96).GetHandle(), sizeof single, &single);
        GetObjectA(create(192).GetHandle(), sizeof twice, &twice);
        EXPECT_EQ(2 * single.lfHeight, twice.lfHeight);
    }
}

} // namespace
