// Dialog templates 100, 102 and 138: controls, kinds, styles, positions and
// the Chinese texts; and that the system builds real windows from them.
#include "resources/resource.h"
#include "tests/resources/DialogTemplate.h"
#include "tests/resources/ResourceSets.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <cwctype>
#include <optional>
#include <set>

namespace tessaly_test {
namespace {

constexpr unsigned kDialog = 5;

enum class Kind {
    GroupBox,
    CheckBox,
    Radio,
    PushButton,
    DefaultButton,
    Label,
    Edit,
    ListView,
    GreyFrame,
    Bitmap,
    Other
};

// Window class names compare without case; windres writes CONTROL classes
// as upper-case strings, the short forms as ordinals.
bool IsClass(const DialogControl& control, const wchar_t* name)
{
    return _wcsicmp(control.windowClass.c_str(), name) == 0;
}

Kind KindOf(const DialogControl& control)
{
    if (IsClass(control, L"Button")) {
        switch (control.style & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return Kind::GroupBox;
        case BS_AUTOCHECKBOX:
            return Kind::CheckBox;
        case BS_AUTORADIOBUTTON:
            return Kind::Radio;
        case BS_PUSHBUTTON:
            return Kind::PushButton;
        case BS_DEFPUSHBUTTON:
            return Kind::DefaultButton;
        default:
            return Kind::Other;
        }
    }
    if (IsClass(control, L"Static")) {
        switch (control.style & SS_TYPEMASK) {
        case SS_LEFT:
            return Kind::Label;
        case SS_GRAYFRAME:
            return Kind::GreyFrame;
        case SS_BITMAP:
            return Kind::Bitmap;
        default:
            return Kind::Other;
        }
    }
    if (IsClass(control, L"Edit"))
        return Kind::Edit;
    if (IsClass(control, L"SysListView32"))
        return Kind::ListView;
    return Kind::Other;
}

struct Expected {
    int id;
    Kind kind;
    std::wstring chineseText;
};

const std::vector<Expected> kMainWindowControls = {
    {IDC_STATIC, Kind::GroupBox, L"设置"},
    {IDC_SHOW_PICTURE, Kind::CheckBox, L"桌面上显示图片(&S)"},
    {IDC_AUTO_RUN, Kind::CheckBox, L"启动时运行(&R)"},
    {IDC_HIDE_DESKTOP_ICONS, Kind::CheckBox, L"隐藏桌面图标(&Y)"},
    {IDC_SET_DEFAULT_USER, Kind::CheckBox, L"同时设置默认用户(&F)"},
    {IDC_CHANGE_GROUP, Kind::GroupBox, L"更换"},
    {IDC_CHANGE_NEVER, Kind::Radio, L"不更换(&N)"},
    {IDC_CHANGE_EACH_START, Kind::Radio, L"每次启动时更换(&E)"},
    {IDC_CHANGE_DAILY, Kind::Radio, L"每天更换(&D)"},
    {IDC_CHANGE_BY_INTERVAL, Kind::Radio, L"按时间更换(&M)"},
    {IDC_INTERVAL_LABEL, Kind::Label, L"时长(&L):"},
    {IDC_INTERVAL_EDIT, Kind::Edit, L""},
    {IDC_MINUTES_LABEL, Kind::Label, L"分钟"},
    {IDC_DISPLAY_GROUP, Kind::GroupBox, L"显示"},
    {IDC_STYLE_CENTRE, Kind::Radio, L"居中(&C)"},
    {IDC_STYLE_TILE, Kind::Radio, L"平铺(&P)"},
    {IDC_STYLE_STRETCH, Kind::Radio, L"拉伸(&A)"},
    {IDC_STYLE_FIT, Kind::Radio, L"适应(&I)"},
    {IDC_STYLE_FILL, Kind::Radio, L"填充(&U)"},
    {IDC_STYLE_SPAN, Kind::Radio, L"跨区(&K)"},
};

// Position and size in dialog units.
struct Box {
    int x, y, cx, cy;
    bool operator==(const Box& other) const { return x == other.x && y == other.y && cx == other.cx && cy == other.cy; }
};

Box BoxOf(const DialogControl& control)
{
    return {control.x, control.y, control.cx, control.cy};
}

struct Placed {
    Expected control;
    Box box;
};

const std::vector<Placed> kSelectPictureControls = {
    {{IDC_STATIC, Kind::Label, L"当前文件(&F):"}, {4, 4, 49, 8}},
    {{IDC_CURRENT_FILE, Kind::Label, L""}, {55, 4, 331, 8}},
    {{IDC_STATIC, Kind::Label, L"图片目录(&L):"}, {4, 18, 49, 8}},
    {{IDC_FOLDER_LIST, Kind::Other, L""}, {55, 16, 235, 40}},
    {{IDC_CHOOSE_FOLDER, Kind::PushButton, L"指定目录(&D)..."}, {294, 16, 92, 12}},
    {{IDC_ADD_FOLDER, Kind::PushButton, L"添加目录(&A)..."}, {294, 30, 92, 12}},
    {{IDC_REMOVE_FOLDER, Kind::PushButton, L"移除目录(&R)"}, {294, 44, 92, 12}},
    {{IDC_INCLUDE_SUBFOLDERS, Kind::CheckBox, L"包含子文件夹(&S)"}, {4, 61, 120, 10}},
    {{IDC_PREVIEW, Kind::CheckBox, L"预览(&P)"}, {209, 61, 44, 10}},
    {{IDC_PICTURE_SIZE, Kind::Label, L""}, {263, 62, 123, 8}},
    {{IDC_FILE_LIST, Kind::ListView, L""}, {4, 76, 202, 121}},
    {{IDC_PREVIEW_FRAME, Kind::GreyFrame, L""}, {210, 76, 176, 121}},
    {{IDOK, Kind::DefaultButton, L"确定(&O)"}, {4, 201, 96, 14}},
    {{IDCANCEL, Kind::PushButton, L"取消(&C)"}, {146, 201, 96, 14}},
    {{IDC_SELECT_HELP, Kind::PushButton, L"帮助(&H)"}, {290, 201, 96, 14}},
};

// Where the main window's controls may lie, in dialog units: below the top
// row of skin buttons and above the bottom row, for every dialog unit size
// from 1.5 to 1.75 pixels.
constexpr RECT kSkinContentArea = {12, 39, 216, 157};

// The same in client pixels: the default skin's top buttons end above 58,
// the bottom ones start at 280, and the background is about 380 wide.
constexpr RECT kSkinContentPixels = {0, 58, 380, 277};

std::optional<DialogTemplate> Template(ResourceSet set, unsigned id)
{
    return ParseDialogTemplate(ModuleOf(set).Bytes(kDialog, id));
}

bool Overlap(const DialogControl& a, const DialogControl& b)
{
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

class EveryResourceSetDialogs : public ::testing::TestWithParam<ResourceSet> {
  protected:
    bool chinese() const { return HasChineseTexts(GetParam()); }
};

TEST_P(EveryResourceSetDialogs, MainWindowIsAVisiblePopupWithItsControlsInOrder)
{
    const auto dialog = Template(GetParam(), IDD_MAIN_SETTINGS);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    EXPECT_EQ(dialog->exStyle, DWORD(WS_EX_APPWINDOW));
    EXPECT_EQ(dialog->cx, 261);
    EXPECT_EQ(dialog->cy, 181);
    EXPECT_EQ(dialog->caption, L"Orvane Tessaly") << "a second start finds the window by this caption";
    if (chinese()) {
        EXPECT_EQ(dialog->typeface, L"宋体");
        EXPECT_EQ(dialog->pointSize, 9);
    }
    ASSERT_EQ(dialog->controls.size(), kMainWindowControls.size());
    for (std::size_t index = 0; index < kMainWindowControls.size(); ++index) {
        const DialogControl& control = dialog->controls[index];
        const Expected& expected = kMainWindowControls[index];
        EXPECT_EQ(control.id, expected.id) << "control " << index;
        EXPECT_EQ(KindOf(control), expected.kind) << "control " << expected.id;
        EXPECT_TRUE(control.style & WS_VISIBLE) << "control " << expected.id;
        if (chinese()) {
            EXPECT_EQ(control.title.text, expected.chineseText) << "control " << expected.id;
        } else {
            EXPECT_EQ(control.title.text.empty(), expected.chineseText.empty()) << "control " << expected.id;
        }
    }
}

TEST_P(EveryResourceSetDialogs, MainWindowRadioGroupsStartAndEndWhereTheSettingsNeedThem)
{
    // Radio data exchange counts from the first button of a group to the next
    // control with WS_GROUP: ChangeMode 0..3 and ShowMode 0..2 depend on it.
    const auto dialog = Template(GetParam(), IDD_MAIN_SETTINGS);
    ASSERT_TRUE(dialog);
    auto style = [&](int id) { return dialog->Control(id) ? dialog->Control(id)->style : 0u; };
    // Each group in its order: the first starts it and takes the tab, the rest do neither.
    const std::vector<int> groups[] = {
        {IDC_CHANGE_NEVER, IDC_CHANGE_EACH_START, IDC_CHANGE_DAILY, IDC_CHANGE_BY_INTERVAL},
        {IDC_STYLE_CENTRE, IDC_STYLE_TILE, IDC_STYLE_STRETCH, IDC_STYLE_FIT, IDC_STYLE_FILL, IDC_STYLE_SPAN}};
    auto position = [&](int id) {
        const auto& controls = dialog->controls;
        return std::find_if(controls.begin(), controls.end(), [id](const DialogControl& c) { return c.id == id; }) -
               controls.begin();
    };
    for (const std::vector<int>& group : groups) {
        for (size_t at = 0; at < group.size(); ++at) {
            EXPECT_EQ(style(group[at]) & (WS_GROUP | WS_TABSTOP), at == 0 ? DWORD(WS_GROUP | WS_TABSTOP) : 0u)
                << group[at];
            EXPECT_EQ(position(group[0]) + static_cast<long>(at), position(group[at])) << group[at];
        }
    }
    EXPECT_TRUE(style(IDC_INTERVAL_LABEL) & WS_GROUP) << "ends the change-mode group";
    EXPECT_TRUE(style(IDC_INTERVAL_EDIT) & WS_TABSTOP);
}

TEST_P(EveryResourceSetDialogs, MainWindowControlsSitBetweenTheSkinButtonsWithoutOverlapping)
{
    const auto dialog = Template(GetParam(), IDD_MAIN_SETTINGS);
    ASSERT_TRUE(dialog);
    const auto& controls = dialog->controls;
    for (const DialogControl& control : controls) {
        EXPECT_GE(control.x, kSkinContentArea.left) << control.id;
        EXPECT_GE(control.y, kSkinContentArea.top) << control.id;
        EXPECT_LE(control.x + control.cx, kSkinContentArea.right) << control.id;
        EXPECT_LE(control.y + control.cy, kSkinContentArea.bottom) << control.id;
    }
    for (std::size_t a = 0; a < controls.size(); ++a) {
        for (std::size_t b = a + 1; b < controls.size(); ++b) {
            if (KindOf(controls[a]) == Kind::GroupBox || KindOf(controls[b]) == Kind::GroupBox)
                continue;
            EXPECT_FALSE(Overlap(controls[a], controls[b])) << controls[a].id << " and " << controls[b].id;
        }
    }
}

TEST_P(EveryResourceSetDialogs, SelectPictureDialogHasEveryControlInItsPlace)
{
    const auto dialog = Template(GetParam(), IDD_SELECT_PICTURE);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->style, DWORD(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT));
    EXPECT_EQ(dialog->cx, 390);
    EXPECT_EQ(dialog->cy, 219);
    if (chinese()) {
        EXPECT_EQ(dialog->caption, L"选择图片");
        EXPECT_EQ(dialog->typeface, L"宋体");
        EXPECT_EQ(dialog->pointSize, 9);
    }
    ASSERT_EQ(dialog->controls.size(), kSelectPictureControls.size());
    for (std::size_t index = 0; index < kSelectPictureControls.size(); ++index) {
        const DialogControl& control = dialog->controls[index];
        const Placed& expected = kSelectPictureControls[index];
        EXPECT_EQ(control.id, expected.control.id) << "control " << index;
        EXPECT_EQ(KindOf(control), expected.control.kind) << "control " << expected.control.id;
        EXPECT_TRUE(BoxOf(control) == expected.box) << "control " << expected.control.id << " at " << control.x << ","
                                                    << control.y << " " << control.cx << "x" << control.cy;
        if (chinese()) {
            EXPECT_EQ(control.title.text, expected.control.chineseText) << "control " << expected.control.id;
        }
    }
    const DialogControl* list = dialog->Control(IDC_FILE_LIST);
    ASSERT_TRUE(list);
    const DWORD listStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP;
    EXPECT_EQ(list->style & listStyle, listStyle);
}

TEST_P(EveryResourceSetDialogs, AboutBoxShowsThePictureFourLinksAndTwoButtons)
{
    const auto dialog = Template(GetParam(), IDD_ABOUTBOX);
    ASSERT_TRUE(dialog);
    EXPECT_NE(dialog->caption.find(L"Orvane Tessaly"), std::wstring::npos);
    bool picture = false;
    for (const DialogControl& control : dialog->controls)
        picture |= KindOf(control) == Kind::Bitmap && control.title.ordinal == IDB_ABOUT;
    EXPECT_TRUE(picture) << "bitmap control showing bitmap 140";

    std::set<std::wstring> addresses;
    for (int id : {IDC_LINK_HOME_PAGE, IDC_LINK_PRODUCT_PAGE, IDC_LINK_SHAREWARE_SITE, IDC_LINK_DOWNLOAD_SITE}) {
        const DialogControl* link = dialog->Control(id);
        ASSERT_TRUE(link) << id;
        EXPECT_EQ(KindOf(*link), Kind::Label) << id;
        // A click opens the label's own text with the shell.
        EXPECT_EQ(link->title.text.rfind(L"https://", 0), 0u) << id;
        addresses.insert(link->title.text);
    }
    EXPECT_EQ(addresses.size(), 4u);
    ASSERT_TRUE(dialog->Control(IDOK));
    EXPECT_EQ(KindOf(*dialog->Control(IDOK)), Kind::DefaultButton);
    ASSERT_TRUE(dialog->Control(IDC_ABOUT_HELP));
    EXPECT_EQ(KindOf(*dialog->Control(IDC_ABOUT_HELP)), Kind::PushButton);
}

// With the fonts this system really has, every control of the window stays
// clear of the skin buttons.
void ExpectChildrenWithin(HWND window, const RECT& area)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(rect.left >= area.left && rect.top >= area.top && rect.right <= area.right &&
                    rect.bottom <= area.bottom)
            << "control " << GetDlgCtrlID(child) << " at " << rect.left << "," << rect.top << "-" << rect.right << ","
            << rect.bottom;
    }
}

// Pixels a check box needs: the box the system draws (13 pixels) and the
// gap after it, its text, the focus rectangle a pixel around the text, and
// an average character to spare for a system whose font draws wider.
int CheckBoxNeeds(HWND box)
{
    wchar_t text[256] = {};
    GetWindowTextW(box, text, 256);
    HDC dc = GetDC(box);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    RECT extent = {};
    DrawTextW(dc, text, -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return 13 + 4 + extent.right + 2 + metrics.tmAveCharWidth;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

TEST_P(EveryResourceSetDialogs, SystemBuildsEachDialogWithAllItsControls)
{
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    for (unsigned id : {IDD_ABOUTBOX, IDD_MAIN_SETTINGS, IDD_SELECT_PICTURE}) {
        const std::vector<std::uint8_t> bytes = ModuleOf(GetParam()).Bytes(kDialog, id);
        const auto dialog = ParseDialogTemplate(bytes);
        ASSERT_TRUE(dialog) << id;
        // The program's own module supplies the About picture, as it will
        // when the language module is the resource handle.
        HWND window = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), nullptr, QuietDialogProc, 0);
        ASSERT_NE(window, nullptr) << "dialog " << id;
        for (const DialogControl& control : dialog->controls) {
            if (control.id != IDC_STATIC) {
                EXPECT_NE(GetDlgItem(window, control.id), nullptr) << "dialog " << id << " control " << control.id;
            }
        }
        if (id == IDD_MAIN_SETTINGS)
            ExpectChildrenWithin(window, kSkinContentPixels);
        for (const DialogControl& control : dialog->controls) {
            if (KindOf(control) != Kind::CheckBox)
                continue;
            HWND box = GetDlgItem(window, control.id);
            RECT client = {};
            GetClientRect(box, &client);
            EXPECT_LE(CheckBoxNeeds(box), client.right) << "dialog " << id << " control " << control.id;
        }
        DestroyWindow(window);
    }
}

// The key after a single "&" ("&&" is an ampersand), upper-cased; 0 for none.
wchar_t Mnemonic(const std::wstring& text)
{
    for (std::size_t at = 0; at + 1 < text.size(); ++at) {
        if (text[at] == L'&' && text[++at] != L'&')
            return towupper(text[at]);
    }
    return 0;
}

void ExpectNewMnemonic(const std::wstring& text, std::set<wchar_t>& seen, const std::string& where)
{
    const wchar_t key = Mnemonic(text);
    EXPECT_TRUE(key == 0 || seen.insert(key).second) << where << " gives " << char(key) << " twice";
}

// Each pop-up of the menu on its own: its items share their keys.
void ExpectMenuMnemonicsDistinct(HMENU menu, const std::string& where)
{
    std::set<wchar_t> seen;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, position, text, 256, MF_BYPOSITION);
        ExpectNewMnemonic(text, seen, where);
        if (HMENU popup = GetSubMenu(menu, position))
            ExpectMenuMnemonicsDistinct(popup, where + "/" + std::to_string(position));
    }
}

TEST_P(EveryResourceSetDialogs, NoDialogOrMenuGivesOneKeyToTwoControls)
{
    for (unsigned id : {IDD_ABOUTBOX, IDD_MAIN_SETTINGS, IDD_SELECT_PICTURE}) {
        const auto dialog = Template(GetParam(), id);
        ASSERT_TRUE(dialog) << id;
        std::set<wchar_t> seen;
        for (const DialogControl& control : dialog->controls) {
            if (!(IsClass(control, L"Static") && (control.style & SS_NOPREFIX)))
                ExpectNewMnemonic(control.title.text, seen, "dialog " + std::to_string(id));
        }
    }
    for (unsigned id : {IDR_CONTEXT_MENU, IDR_TRAY_MENU}) {
        HMENU menu = LoadMenuW(ModuleOf(GetParam()).handle(), MAKEINTRESOURCEW(id));
        ASSERT_NE(menu, nullptr) << id;
        ExpectMenuMnemonicsDistinct(menu, "menu " + std::to_string(id));
        DestroyMenu(menu);
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageModules, EveryResourceSetDialogs,
                         ::testing::Values(ResourceSet::English, ResourceSet::Chinese, ResourceSet::Program),
                         ::testing::PrintToStringParamName());

TEST(EnglishDialogs, UseTheChinesePositionsAndStyles)
{
    // Both skins are drawn for one layout.
    for (unsigned id : {IDD_ABOUTBOX, IDD_MAIN_SETTINGS, IDD_SELECT_PICTURE}) {
        const auto english = Template(ResourceSet::English, id);
        const auto chinese = Template(ResourceSet::Chinese, id);
        ASSERT_TRUE(english && chinese) << id;
        EXPECT_EQ(english->style, chinese->style) << id;
        EXPECT_EQ(english->exStyle, chinese->exStyle) << id;
        EXPECT_TRUE(english->cx == chinese->cx && english->cy == chinese->cy) << id;
        ASSERT_EQ(english->controls.size(), chinese->controls.size()) << id;
        for (std::size_t index = 0; index < english->controls.size(); ++index) {
            const DialogControl& e = english->controls[index];
            const DialogControl& c = chinese->controls[index];
            EXPECT_TRUE(e.id == c.id && e.style == c.style && e.windowClass == c.windowClass && BoxOf(e) == BoxOf(c))
                << "dialog " << id << " control " << c.id;
        }
    }
}

} // namespace
} // namespace tessaly_test
