// Menus 103 and 137, loaded through the system as the program loads them.
#include "resources/resource.h"
#include "tests/resources/ResourceSets.h"

#include <gtest/gtest.h>

namespace tessaly_test {
namespace {

constexpr unsigned kSeparator = 0;

struct MenuItem {
    unsigned command; // kSeparator for a separator
    std::wstring text;
    bool operator==(const MenuItem& other) const { return command == other.command && text == other.text; }
};

std::ostream& operator<<(std::ostream& out, const MenuItem& item)
{
    if (item.command == kSeparator)
        return out << "separator";
    std::string text;
    for (wchar_t c : item.text)
        text += c < 128 ? static_cast<char>(c) : '?';
    return out << item.command << " \"" << text << "\"";
}

struct LoadedMenu {
    bool loaded = false;
    int topLevelCount = 0;
    std::vector<MenuItem> firstPopup;
};

// The items of the menu's first pop-up, the one the program shows.
LoadedMenu LoadFirstPopup(const ResourceModule& module, unsigned menuId)
{
    LoadedMenu result;
    HMENU menu = LoadMenuW(module.handle(), MAKEINTRESOURCEW(menuId));
    if (!menu)
        return result;
    result.loaded = true;
    result.topLevelCount = GetMenuItemCount(menu);
    HMENU popup = GetSubMenu(menu, 0);
    for (int position = 0; popup && position < GetMenuItemCount(popup); ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = 256;
        GetMenuItemInfoW(popup, position, TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            result.firstPopup.push_back({kSeparator, L""});
        else
            result.firstPopup.push_back({info.hSubMenu ? ~0u : info.wID, text});
    }
    DestroyMenu(menu);
    return result;
}

const std::vector<MenuItem> kPicturePart = {
    {IDM_NEXT_PICTURE, L"下一张图片(&N)"},
    {IDM_PREVIOUS_PICTURE, L"上一张图片(&P)"},
    {IDM_OPEN_PICTURE_FOLDER, L"打开图片所在的文件夹(&O)"},
    {kSeparator, L""},
    {IDM_NEVER_SHOW_PICTURE, L"不再显示这张图片(&V)"},
    {IDM_SHOW_EXCLUDED_AGAIN, L"重新显示排除的图片(&G)"},
    {kSeparator, L""},
    {IDM_PAUSE_CHANGES, L"暂停更换(&U)"},
    {IDM_SHUFFLE, L"随机顺序(&L)"},
    {IDM_INCLUDE_SUBFOLDERS, L"包含子文件夹(&B)"},
    {IDM_FULL_COLOUR, L"全彩色(&F)"},
    {kSeparator, L""},
};

std::vector<MenuItem> AfterPicturePart(std::vector<MenuItem> items)
{
    items.insert(items.begin(), kPicturePart.begin(), kPicturePart.end());
    return items;
}

const std::vector<MenuItem> kChineseContextMenu = AfterPicturePart({
    {IDM_HIDE_WINDOW, L"隐藏程序界面(I)"},
    {kSeparator, L""},
    {IDM_HELP, L"帮助(&H)..."},
    {IDM_ABOUT, L"关于Orvane Tessaly(A) ..."},
    {kSeparator, L""},
    {IDM_EXIT, L"退出程序(&X)\tAlt+F4"},
});

const std::vector<MenuItem> kChineseTrayMenu = AfterPicturePart({
    {IDM_SHOW_WINDOW, L"显示程序界面(&S)..."},
    {IDM_HIDE_WINDOW, L"隐藏程序界面(I)"},
    {kSeparator, L""},
    {IDM_HELP, L"帮助(&H)..."},
    {IDM_ABOUT, L"关于 Orvane Tessaly(A) ..."},
    {kSeparator, L""},
    {IDM_EXIT, L"退出程序(&X)\tAlt+F4"},
});

std::vector<unsigned> Commands(const std::vector<MenuItem>& items)
{
    std::vector<unsigned> commands;
    for (const MenuItem& item : items)
        commands.push_back(item.command);
    return commands;
}

class EveryResourceSetMenus : public ::testing::TestWithParam<ResourceSet> {};

TEST_P(EveryResourceSetMenus, HaveOnePopupWithTheCommandsInOrder)
{
    const ResourceModule& module = ModuleOf(GetParam());
    ASSERT_TRUE(module.loaded());
    for (const auto& [menuId, chinese] :
         {std::pair{IDR_CONTEXT_MENU, kChineseContextMenu}, std::pair{IDR_TRAY_MENU, kChineseTrayMenu}}) {
        const LoadedMenu menu = LoadFirstPopup(module, menuId);
        ASSERT_TRUE(menu.loaded) << "menu " << menuId;
        EXPECT_EQ(menu.topLevelCount, 1) << "menu " << menuId;
        if (HasChineseTexts(GetParam())) {
            EXPECT_EQ(menu.firstPopup, chinese) << "menu " << menuId;
            continue;
        }
        ASSERT_EQ(Commands(menu.firstPopup), Commands(chinese)) << "menu " << menuId;
        for (const MenuItem& item : menu.firstPopup)
            EXPECT_EQ(item.command == kSeparator, item.text.empty()) << item;
        // The exit item's shortcut is drawn right-aligned after the tab.
        const std::wstring& exit = menu.firstPopup.back().text;
        ASSERT_NE(exit.find(L'\t'), std::wstring::npos);
        EXPECT_EQ(exit.substr(exit.find(L'\t')), L"\tAlt+F4");
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, EveryResourceSetMenus,
                         ::testing::Values(ResourceSet::English, ResourceSet::Chinese, ResourceSet::Program),
                         ::testing::PrintToStringParamName());

} // namespace
} // namespace tessaly_test
