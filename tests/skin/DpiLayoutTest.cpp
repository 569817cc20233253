// The real program on screens scaled to 100, 125, 150 and 200 %, at 115 %
// (between two scales of the skin), and at 150 % with a skin that has only
// its 100 % pictures: the window grows by
// DPI/96, each control and skin button keeps its place in proportion and
// lies inside the window's shape, no text is cut, and a WM_DPICHANGED (the
// window moved to another monitor) lays it out as a start at that DPI does.

#include "image/ImageObject.h"
#include "resources/resource.h"
#include "tests/support/RemoteMemory.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Tessaly.h"
#include "tests/support/TessalyState.h"
#include "tests/support/WindowHelpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace {

using namespace testing_support;

constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED
struct Screen {
    UINT dpi;
    bool onlyHundredPercentSkin;
};
// 96 first: the others are compared with it.
constexpr Screen kScreens[] = {{96, false}, {120, false}, {144, false}, {192, false}, {110, false}, {144, true}};
// Places are rounded at each DPI, the 96 DPI ones included.
constexpr LONG kRounding = 2;

struct Layout {
    SIZE client = {};
    std::map<int, RECT> places; // control id -> client rectangle
};

Layout LayoutOf(HWND window)
{
    Layout layout;
    RECT client;
    GetClientRect(window, &client);
    layout.client = {client.right, client.bottom};
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        layout.places[GetDlgCtrlID(child)] = place;
    }
    return layout;
}

// Whether every pixel of the client rectangle `place` is inside the window's shape.
bool InsideShape(HWND window, const RECT& place)
{
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    HRGN rest = CreateRectRgnIndirect(&place);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT frame;
    GetWindowRect(window, &frame);
    const bool shaped = GetWindowRgn(window, shape) != ERROR;
    OffsetRgn(shape, frame.left - origin.x, frame.top - origin.y);
    const bool inside = shaped && CombineRgn(rest, rest, shape, RGN_DIFF) == NULLREGION;
    DeleteObject(shape);
    DeleteObject(rest);
    return inside;
}

// Whether the control's text fits it at the font the program uses at `dpi`.
bool TextFits(HWND control, UINT dpi, const RECT& place)
{
    const std::wstring text = WindowTextW(control);
    wchar_t className[32] = {};
    GetClassNameW(control, className, 32);
    if (text.empty() || lstrcmpiW(className, L"Button") != 0)
        return true;
    const LONG style = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_GROUPBOX)
        return true;
    HFONT font =
        CreateFontW(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS Shell Dlg");
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT needed = {0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    // The box (or circle) and the gap after it grow with the DPI.
    const LONG box = MulDiv(13 + 4, dpi, 96);
    return needed.right + box <= place.right - place.left;
}

LONG Scaled(LONG value, UINT dpi)
{
    return MulDiv(value, dpi, 96);
}

TEST(DpiLayout, TheWindowAndItsControlsGrowByTheDpiAndStayInsideItsShape)
{
    CImageObject background(TestProgramDirectory() + "\\5D93A1E4_7B20_4C8F_A3D6_91E04F7B2C58\\bg.bmp", -1);
    ASSERT_GT(background.GetWidth(), 0);
    std::map<UINT, Layout> layouts;
    for (const auto [dpi, onlyHundredPercentSkin] : kScreens) {
        SCOPED_TRACE(dpi);
        SCOPED_TRACE(onlyHundredPercentSkin);
        PresetSettings(UsualSettings());
        PresetDesktop("");
        ScopedDpi scaled(dpi);
        TempFolder folder;
        if (onlyHundredPercentSkin)
            CopyProgramFolder(folder.File("program"));
        Tessaly program("", onlyHundredPercentSkin ? folder.File("program") : "");
        ASSERT_NE(nullptr, program.Window());
        EXPECT_TRUE(program.StartMessages().empty());
        const Layout layout = LayoutOf(program.Window());
        EXPECT_EQ(Scaled(background.GetWidth(), dpi), layout.client.cx);
        EXPECT_EQ(Scaled(background.GetHeight(), dpi), layout.client.cy);
        ASSERT_EQ(26u, layout.places.size()) << "20 controls and 6 skin buttons";
        for (const auto& [id, place] : layout.places) {
            SCOPED_TRACE(id);
            EXPECT_TRUE(InsideShape(program.Window(), place));
            EXPECT_TRUE(TextFits(GetDlgItem(program.Window(), id), dpi, place));
            const RECT& at96 = layouts.count(96) ? layouts[96].places.at(id) : place;
            EXPECT_LE(std::labs(Scaled(at96.left, dpi) - place.left), kRounding);
            EXPECT_LE(std::labs(Scaled(at96.top, dpi) - place.top), kRounding);
            EXPECT_LE(std::labs(Scaled(at96.right, dpi) - place.right), kRounding);
            EXPECT_LE(std::labs(Scaled(at96.bottom, dpi) - place.bottom), kRounding);
        }
        if (!onlyHundredPercentSkin)
            layouts[dpi] = layout;
    }

    // Moved to a monitor at 144 DPI, the window started at 96 looks as one started there.
    PresetSettings(UsualSettings());
    Tessaly program;
    RECT suggested;
    GetWindowRect(program.Window(), &suggested);
    OffsetRect(&suggested, 10, 20);
    RemoteMemory rect(program.Window(), sizeof suggested);
    ASSERT_TRUE(rect.Write(&suggested, sizeof suggested));
    SendWithin(program.Window(), kDpiChangedMessage, MAKEWPARAM(144, 144), rect.Address(), kProgramDeadline);
    const Layout moved = LayoutOf(program.Window());
    EXPECT_EQ(layouts[144].client.cx, moved.client.cx);
    EXPECT_EQ(layouts[144].client.cy, moved.client.cy);
    for (const auto& [id, place] : moved.places)
        EXPECT_TRUE(EqualRect(&place, &layouts[144].places[id])) << id;
    RECT frame;
    GetWindowRect(program.Window(), &frame);
    EXPECT_EQ(suggested.left, frame.left);
    EXPECT_EQ(suggested.top, frame.top);
}

} // namespace
