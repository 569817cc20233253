// The About box and its link labels in-process: the labels bound to the
// four links with their colours and hand cursor, the colour request that
// the framework hands to a label first, and the press that opens the
// label's own text.
#include "framework/Window.h"
#include "resources/resource.h"
#include "tests/support/Contrast.h"
#include "tests/support/WindowHelpers.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/ColorLabel.h"
#include "ui/dialogs/AboutDlg.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ui_test;
using testing_support::BrushColour;
using testing_support::ContrastRatio;

namespace {

std::vector<std::string> opened;
void RecordOpened(const std::string& address)
{
    opened.push_back(address);
}

std::function<void(HWND)> inspectAbout;
void CALLBACK InspectAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND about = FindWindowW(nullptr, L"About Orvane Tessaly");
    if (!about || !IsWindowVisible(about))
        return;
    KillTimer(nullptr, timer);
    inspectAbout(about);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
}

CColorLabel* LabelOf(HWND about, int id)
{
    return dynamic_cast<CColorLabel*>(CWnd::FromHandle(GetDlgItem(about, id)));
}

TEST(AboutBox, LinksAreColouredLabelsThatOpenTheirOwnText)
{
    ResourceModuleScope module(LanguageModule("English.dll"));
    const HCURSOR hand = LoadCursorA(LanguageModule("English.dll"), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_NE(hand, nullptr);
    CColorLabel::SetLinkOpener(RecordOpened);
    opened.clear();
    bool inspected = false;
    inspectAbout = [&](HWND about) {
        inspected = true;
        const int links[] = {IDC_LINK_HOME_PAGE, IDC_LINK_PRODUCT_PAGE, IDC_LINK_SHAREWARE_SITE,
                             IDC_LINK_DOWNLOAD_SITE};
        for (const int id : links) {
            SCOPED_TRACE(id);
            CColorLabel* label = LabelOf(about, id);
            ASSERT_NE(label, nullptr);
            const COLORREF color = label->TextColor();
            EXPECT_GE(ContrastRatio(color, BrushColour(label->BackgroundBrush())), 4.5) << "readable";
            EXPECT_NE(color, RGB(0, 0, 128)) << "a link stands apart from the text";
            EXPECT_EQ(label->LinkCursor(), hand);
            EXPECT_TRUE(GetWindowLongA(label->m_hWnd, GWL_STYLE) & SS_NOTIFY);
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(label->SendMessage(WM_GETFONT)), sizeof font, &font);
            EXPECT_TRUE(font.lfUnderline) << "the control draws with the font it was given";

            // The box's colour request goes to the label first.
            HDC dc = GetDC(label->m_hWnd);
            const LRESULT brush = SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(label->m_hWnd));
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(label->BackgroundBrush()));
            EXPECT_EQ(GetTextColor(dc), color);
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
            ReleaseDC(label->m_hWnd, dc);

            // The hand over the label.
            SetCursor(nullptr);
            EXPECT_TRUE(SendMessageA(label->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(label->m_hWnd),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
            EXPECT_EQ(GetCursor(), hand);
        }

        // Every other text of the box: navy on the box's orange.
        HWND version = GetWindow(GetDlgItem(about, IDC_LINK_HOME_PAGE), GW_HWNDPREV);
        HDC dc = GetDC(version);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(version)));
        EXPECT_EQ(BrushColour(brush), RGB(255, 128, 64));
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));
        ReleaseDC(version, dc);

        // A press opens the label's own text, whatever it is now.
        CColorLabel* product = LabelOf(about, IDC_LINK_PRODUCT_PAGE);
        SendMessageA(product->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SetWindowTextA(product->m_hWnd, "https://korvex.example/other/");
        SendMessageA(product->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_EQ(opened,
                  (std::vector<std::string>{"https://korvex.example/tessaly/", "https://korvex.example/other/"}));

        // Out of link mode the label lets the mouse through to the box.
        const LPARAM inside = MAKELPARAM(0, 0);
        product->SetLink(0);
        EXPECT_EQ(SendMessageA(product->m_hWnd, WM_NCHITTEST, 0, inside), HTTRANSPARENT);
        product->SetLink(1);
        EXPECT_NE(SendMessageA(product->m_hWnd, WM_NCHITTEST, 0, inside), HTTRANSPARENT);
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectAboutBox);
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
    KillTimer(nullptr, timer);
    CColorLabel::SetLinkOpener(nullptr);
    EXPECT_TRUE(inspected);
}

// Moved to a monitor of twice the DPI, the box's picture and links follow.
TEST(AboutBox, APictureAndLinksFollowADpiChange)
{
    ResourceModuleScope module(LanguageModule("English.dll"));
    const auto heightOf = [](HWND control) {
        LOGFONTA font = {};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    };
    const auto widthOf = [](HWND control) {
        BITMAP picture = {};
        GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof picture,
                   &picture);
        return picture.bmWidth;
    };
    bool inspected = false;
    inspectAbout = [&](HWND about) {
        HWND picture = GetWindow(about, GW_CHILD);
        HWND link = GetDlgItem(about, IDC_LINK_HOME_PAGE);
        const LONG width = widthOf(picture);
        const LONG height = heightOf(link);
        RECT suggested = {10, 10, 800, 600};
        SendMessageA(about, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        inspected = true;
        EXPECT_EQ(2 * width, widthOf(picture));
        EXPECT_EQ(2 * height, heightOf(link));
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectAboutBox);
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(inspected);
}

} // namespace
