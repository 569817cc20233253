#pragma once
// The About box: dialog 100 of the language module, with the program's
// picture, its version, four web links and a Help button.

#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "ui/DialogColours.h"
#include "ui/controls/ColorLabel.h"

class CAboutDlg : public CDialog {
  public:
    explicit CAboutDlg(CWnd* parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnCommand(WPARAM wp, LPARAM lp) override;

  private:
    LRESULT OnCtlColor(UINT msg, HDC dc, HWND control);

    CColorLabel m_sharewareSite;
    CColorLabel m_downloadSite;
    CColorLabel m_productPage;
    CColorLabel m_homePage;
    // The box's own background and text colours.
    DialogColours m_colours;
};
