// The main window's side of the select-picture dialog: it hands in the
// current picture and the preview flag and takes both back after OK.
#include "ui/MainSettingsDlg.h"
#include "ui/dialogs/SelectPictureDlg.h"

bool CMainSettingsDlg::ChoosePicture()
{
    CSelectPictureDlg dialog(this);
    dialog.selectedPath = m_settings.CurPicFileName;
    dialog.previewEnabled = m_settings.Preview;
    if (dialog.DoModal() != IDOK)
        return false;
    m_settings.Preview = dialog.previewEnabled;
    OnPictureChosenByUser(dialog.selectedPath);
    return true;
}

void CMainSettingsDlg::OnSelectPictureButton()
{
    if (!ChoosePicture())
        return;
    // Not saved here: the next save, or the exit, stores the choice. When
    // nothing of the folder can be read the desktop keeps what it shows.
    if (!ApplyCurrentPicture())
        ReportNoReadablePicture();
    StartRepaintTimer(kRepaintDelay);
}
