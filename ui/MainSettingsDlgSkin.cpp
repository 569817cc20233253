// What the main window's skin buttons do, and the select-picture dialog
// that the first of them (and ticking "Show wallpaper") opens. The skin
// itself (pictures, shape, buttons, colours, layout for the DPI) is
// ui/SkinnedWindow.h.
#include "ui/MainSettingsDlg.h"

#include "resources/resource.h"
#include "ui/dialogs/SelectPictureDlg.h"

namespace {

constexpr int kShowDesktopButton = 1;
constexpr int kHideButton = 2;
constexpr int kHelpButton = 3;
constexpr int kAboutButton = 4;
constexpr int kExitButton = 5;

// The taskbar shows the desktop on this hot key.
constexpr WPARAM kShowDesktopHotKey = 501;

} // namespace

void CMainSettingsDlg::OnSkinButtonClick(int index)
{
    switch (index) {
    case kSelectPictureButton:
        OnSelectPictureButton();
        break;
    case kShowDesktopButton:
        if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr))
            ::SendMessageA(taskbar, WM_HOTKEY, kShowDesktopHotKey, 0);
        break;
    case kHideButton:
        m_iconAndMenus.Hide();
        break;
    case kHelpButton:
        // The same commands as the context menu's help and About items.
        SendMessage(WM_COMMAND, IDM_HELP, 0);
        break;
    case kAboutButton:
        SendMessage(WM_COMMAND, IDM_ABOUT, 0);
        break;
    case kExitButton:
        // Ends at once, without reading the controls.
        EndDialog(IDOK);
        break;
    }
}

bool CMainSettingsDlg::ChoosePicture()
{
    // The dialog hands in the current picture and the preview flag and
    // takes both back after OK.
    CSelectPictureDlg dialog(this);
    dialog.selectedPath = m_settings.CurPicFileName;
    dialog.previewEnabled = m_settings.Preview;
    if (dialog.DoModal() != IDOK)
        return false;
    m_settings.Preview = dialog.previewEnabled;
    m_atHandCommands.Chosen(dialog.selectedPath);
    return true;
}

void CMainSettingsDlg::OnSelectPictureButton()
{
    if (!ChoosePicture())
        return;
    // Not saved here: the next save, or the exit, stores the choice. When
    // nothing of the folder can be read the desktop keeps what it shows.
    if (!m_schedule.ApplyCurrentPicture())
        ReportNoReadablePicture();
    ScheduleRepaint(kRepaintDelay);
}
