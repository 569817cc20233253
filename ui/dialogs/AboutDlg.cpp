#include "ui/dialogs/AboutDlg.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "framework/Dpi.h"
#include "resources/resource.h"
#include "ui/controls/DialogColours.h"
#include "ui/help/HtmlHelpViewer.h"

#include <utility>

namespace {

CBitmap StretchedBitmap(HBITMAP source, SIZE from, SIZE to)
{
    WindowDc screen(nullptr);
    CBitmap stretched(CreateCompatibleBitmap(screen.Get(), to.cx, to.cy));
    OwnedDc sourceDc(CreateCompatibleDC(screen.Get()));
    OwnedDc targetDc(CreateCompatibleDC(screen.Get()));
    if (!stretched.GetSafeHandle() || !sourceDc.Get() || !targetDc.Get())
        return CBitmap();
    ScopedSelectObject selectSource(sourceDc.Get(), source);
    ScopedSelectObject selectTarget(targetDc.Get(), stretched);
    SetStretchBltMode(targetDc.Get(), HALFTONE);
    SetBrushOrgEx(targetDc.Get(), 0, 0, nullptr);
    StretchBlt(targetDc.Get(), 0, 0, to.cx, to.cy, sourceDc.Get(), 0, 0, from.cx, from.cy, SRCCOPY);
    return stretched;
}

} // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::ScalePicture(UINT dpi)
{
    // Stretched from the module's own picture, not from one stretched before.
    CBitmap original(LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDB_ABOUT)));
    BITMAP size = {};
    if (!original.GetSafeHandle() || !GetObjectA(original.GetHandle(), sizeof size, &size))
        return;
    CBitmap picture = dpi == kDefaultDpi
                          ? std::move(original)
                          : StretchedBitmap(original.GetHandle(), {size.bmWidth, size.bmHeight},
                                            {ScaleForDpi(size.bmWidth, dpi), ScaleForDpi(size.bmHeight, dpi)});
    if (!picture.GetSafeHandle())
        return;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP)
            continue;
        // The control lets go of the picture it showed: the one it loaded
        // from the template is ours to delete, our own goes below.
        HGDIOBJ shown = reinterpret_cast<HGDIOBJ>(
            ::SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.GetHandle())));
        if (shown && shown != m_picture.GetSafeHandle() && shown != picture.GetSafeHandle())
            ::DeleteObject(shown);
    }
    m_picture = std::move(picture);
}

void CAboutDlg::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    // The system scales the box and its own font; the picture and the
    // links' fonts are ours.
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ScalePicture(dpi);
    for (CColorLabel* link : {&m_homePage, &m_productPage, &m_downloadSite, &m_sharewareSite})
        link->SetFontDpi(dpi);
}

void CAboutDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    // The links are bound once, when the box fills its controls first.
    if (dx->m_bSaveAndValidate || m_homePage.m_hWnd)
        return;
    m_sharewareSite.SubclassDlgItem(IDC_LINK_SHAREWARE_SITE, this);
    m_downloadSite.SubclassDlgItem(IDC_LINK_DOWNLOAD_SITE, this);
    m_productPage.SubclassDlgItem(IDC_LINK_PRODUCT_PAGE, this);
    m_homePage.SubclassDlgItem(IDC_LINK_HOME_PAGE, this);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (const UINT dpi = WindowDpi(m_hWnd); dpi != kDefaultDpi)
        ScalePicture(dpi);
    const bool highContrast = HighContrastOn();
    CColorLabel* const links[] = {&m_homePage, &m_productPage, &m_downloadSite, &m_sharewareSite};
    for (CColorLabel* link : links) {
        HCURSOR hand = LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
        link->SetLink(1).SetUnderline(1).SetLinkCursor(hand);
        if (highContrast) {
            link->SetTextColor(GetSysColor(COLOR_HOTLIGHT)).SetBackgroundColor(GetSysColor(COLOR_BTNFACE));
            continue;
        }
        // The home page in blue, the other sites in another colour, all on
        // the box's own colour like every other text of the box.
        link->SetTextColor(link == &m_homePage ? kLinkColour : kOtherLinkColour);
        link->SetBackgroundColor(kDialogBackColour);
    }
    return TRUE;
}

BOOL CAboutDlg::OnCommand(WPARAM wp, LPARAM lp)
{
    if (LOWORD(wp) == IDC_ABOUT_HELP && HIWORD(wp) == BN_CLICKED) {
        ShowHelpFileTopic(kAboutHelpTopic);
        return TRUE;
    }
    return CDialog::OnCommand(wp, lp);
}

LRESULT CAboutDlg::OnCtlColor(UINT msg, HDC dc, HWND control)
{
    HBRUSH brush = nullptr;
    if (msg != WM_CTLCOLOREDIT && msg != WM_CTLCOLORLISTBOX)
        brush = m_colours.Answer(dc, control);
    if (!brush)
        return Default(msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    return reinterpret_cast<LRESULT>(brush);
}

LRESULT CAboutDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        return OnCtlColor(msg, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
