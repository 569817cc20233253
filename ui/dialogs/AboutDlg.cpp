#include "ui/dialogs/AboutDlg.h"

#include "framework/App.h"
#include "framework/DataExchange.h"
#include "resources/resource.h"
#include "ui/DialogColours.h"
#include "ui/help/HtmlHelpViewer.h"

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

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
    }
    return CDialog::WindowProc(msg, wp, lp);
}
