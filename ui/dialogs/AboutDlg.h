#pragma once
// The About box: dialog 100 of the language module, with the program's
// picture, its version, four web links and a Help button.

#include "framework/Dialog.h"
#include "framework/GdiObject.h"
#include "ui/controls/DialogColours.h"
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
    // The picture is drawn for 96 DPI; at more it fills its place in the
    // box, which grows with the DPI, stretched smoothly.
    void ScalePicture(UINT dpi);
    // Moved to a monitor of another DPI: the picture and links follow.
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    CColorLabel m_sharewareSite;
    CColorLabel m_downloadSite;
    CColorLabel m_productPage;
    CColorLabel m_homePage;
    // The box's own background and text colours.
    DialogColours m_colours;
    CBitmap m_picture; // the picture at the box's DPI, once stretched
};
