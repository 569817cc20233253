// What the main window's skin buttons do. The skin itself (pictures,
// shape, buttons, colours, layout for the DPI) is ui/SkinnedWindow.h.
#include "ui/MainSettingsDlg.h"

#include "resources/resource.h"

namespace {

constexpr int kSelectPictureButton = 0;
constexpr int kShowDesktopButton = 1;
constexpr int kHideButton = 2;
constexpr int kHelpButton = 3;
constexpr int kAboutButton = 4;
constexpr int kExitButton = 5;

// The taskbar shows the desktop on this hot key.
constexpr WPARAM kShowDesktopHotKey = 501;

} // namespace

void CMainSettingsDlg::EnableSelectPictureButton(bool enabled)
{
    m_skin.EnableButton(kSelectPictureButton, enabled);
}

BOOL CMainSettingsDlg::PreTranslateMessage(MSG* msg)
{
    m_skin.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

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
        Hide();
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
