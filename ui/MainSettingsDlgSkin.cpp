// The main window's skin: the background picture drawn over the dialog,
// the window cut to its shape, the skin buttons and what their clicks do,
// the control colours, and dragging the window by any free point.
#include "ui/MainSettingsDlg.h"

#include "engine/ChangeScheduler.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "image/ImageFileType.h"
#include "image/palette/DibPalette.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "ui/DialogColours.h"
#include "ui/skin/DefaultSkin.h"
#include "ui/skin/SkinDescriptionFile.h"
#include "ui/skin/SkinMessage.h"
#include "ui/skin/WindowRegion.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT kFirstSkinButtonId = 10000;
constexpr int kSelectPictureButton = 0;
constexpr int kShowDesktopButton = 1;
constexpr int kHideButton = 2;
constexpr int kHelpButton = 3;
constexpr int kAboutButton = 4;
constexpr int kExitButton = 5;

// The taskbar shows the desktop on this hot key.
constexpr WPARAM kShowDesktopHotKey = 501;

} // namespace

void CMainSettingsDlg::InitialiseSkin()
{
    std::vector<std::string> missing;
    if (!LoadSkin(missing)) {
        // Without a skin the dialog keeps its own frame, caption and system
        // menu, so the user can still use and close it.
        ReleaseSkin();
        std::string text = LoadResourceString(IDS_SKIN_MISSING);
        for (const std::string& name : missing)
            text += "\n" + name;
        ShowSkinMessage(m_hWnd, text, MB_OK | MB_ICONERROR);
    }
    ApplyWindowRegion();
    CreateSkinButtons();
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
}

bool CMainSettingsDlg::LoadSkin(std::vector<std::string>& missing)
{
    const std::string programDirectory = ProgramDirectory();
    // The language's own skin first; a program folder that lost it still
    // has the other one it shipped with.
    std::vector<std::string> names = {m_settings.CurSkinIndex};
    for (WORD language : {LANG_ENGLISH, LANG_CHINESE}) {
        const std::string name = SkinFolderNameForLanguage(MAKELANGID(language, SUBLANG_DEFAULT));
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    for (const std::string& name : names) {
        const std::string folder = programDirectory + "\\" + name;
        const DWORD attributes = GetFileAttributesA(folder.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            missing.push_back(folder);
            continue;
        }
        if (!LoadSkinDescription(m_skin, programDirectory, name)) {
            ShowSkinMessage(m_hWnd, LoadResourceString(IDS_SKIN_FILE_MISSING), MB_OK | MB_ICONERROR);
            RebuildDefaultSkin(m_skin, m_hWnd, programDirectory, name);
        }
        if (LoadBackgroundImage()) {
            m_settings.CurSkinIndex = name;
            return true;
        }
        missing.push_back(m_skin.backgroundPath);
    }
    return false;
}

bool CMainSettingsDlg::LoadBackgroundImage()
{
    m_backgroundImage.reset();
    const int type = ImageTypeForPictureFile(m_skin.backgroundPath);
    if (type < 0)
        return false;
    auto image = std::make_unique<CImageObject>(m_skin.backgroundPath, type);
    if (image->GetWidth() <= 0 || image->GetHeight() <= 0)
        return false;
    m_backgroundImage = std::move(image);
    return true;
}

void CMainSettingsDlg::ApplyWindowRegion()
{
    // Without a background the dialog keeps its own size and shape, so its
    // controls stay usable.
    if (!m_backgroundImage)
        return;
    ::ApplyWindowRegion(m_hWnd, m_backgroundImage->GetWidth(), m_backgroundImage->GetHeight(), m_skin.windowRegion);
}

void CMainSettingsDlg::CreateSkinButtons()
{
    for (int index = 0; index < m_skin.ButtonCount(); ++index) {
        SkinButtonSpec& entry = m_skin.buttons[index];
        entry.button = std::make_unique<CSkinButton>();
        if (!entry.button->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, entry.rectangle, this,
                                  kFirstSkinButtonId + index))
            continue;
        entry.button->SetupButton(entry.imagePaths, entry.rectangle, entry.region, index, entry.tooltip);
    }
}

void CMainSettingsDlg::DrawBackground()
{
    if (!m_backgroundImage)
        return;
    WindowDc dc(m_hWnd);
    const CDibPalette* palette = m_backgroundImage->GetPalette();
    ScopedSelectPalette selectPalette(dc.Get(), palette ? palette->GetHandle() : nullptr, true);
    m_backgroundImage->Draw(dc.Get(), 0, 0, -1, -1, 0, 0);
}

void CMainSettingsDlg::DrawSkinButtonsNormal()
{
    for (SkinButtonSpec& entry : m_skin.buttons) {
        if (entry.button)
            entry.button->DrawState(Normal);
    }
    if (!m_settings.ShowPic && !m_skin.buttons.empty() && m_skin.buttons[kSelectPictureButton].button)
        m_skin.buttons[kSelectPictureButton].button->DrawState(Disabled);
}

void CMainSettingsDlg::EnableSelectPictureButton(bool enabled)
{
    if (!m_skin.buttons.empty() && m_skin.buttons[kSelectPictureButton].button)
        m_skin.buttons[kSelectPictureButton].button->SetEnabled(enabled);
}

void CMainSettingsDlg::ReleaseSkin()
{
    m_backgroundImage.reset();
    m_skin.windowRegion.clear();
    m_skin.buttons.clear();
    m_skin.hoverIndex = -1;
}

BOOL CMainSettingsDlg::PreTranslateMessage(MSG* msg)
{
    m_toolTip.RelayEvent(msg);
    return CDialog::PreTranslateMessage(msg);
}

void CMainSettingsDlg::OnSkinButtonHover(int index)
{
    if (index == m_skin.hoverIndex)
        return;
    for (int other = 0; other < m_skin.ButtonCount(); ++other) {
        if (other != index && m_skin.buttons[other].button)
            m_skin.buttons[other].button->DrawState(Normal);
    }
    if (!m_settings.ShowPic && !m_skin.buttons.empty() && m_skin.buttons[kSelectPictureButton].button)
        m_skin.buttons[kSelectPictureButton].button->DrawState(Disabled);
    m_skin.hoverIndex = index;
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

HBRUSH CMainSettingsDlg::OnCtlColor(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kDialogTextColour);
    if (!m_controlBrush.GetSafeHandle())
        m_controlBrush.CreateSolidBrush(kDialogBackColour);
    return m_controlBrush;
}

bool CMainSettingsDlg::OnSkinMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_PAINT:
        // The dialog paints now; the skin goes over it a moment later, once
        // for a burst of paint messages.
        if (!IsIconic(m_hWnd)) {
            StartRepaintTimer(kRepaintDelay);
            InvalidateControls();
        }
        return false;
    case WM_LBUTTONDOWN: {
        // Any free point of the background drags the window like a caption.
        // The press point goes along: some systems start the move from it.
        POINT press = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(&press);
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
        return false;
    }
    case WM_MOUSEMOVE:
        // The mouse left the buttons for the window's body.
        DrawSkinButtonsNormal();
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return false;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wp)));
        return true;
    }
    return false;
}
