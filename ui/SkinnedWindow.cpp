#include "ui/SkinnedWindow.h"

#include "engine/ChangeScheduler.h"
#include "framework/Dpi.h"
#include "framework/GdiObject.h"
#include "framework/Path.h"
#include "framework/ResourceString.h"
#include "image/ImageFileType.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "ui/skin/DefaultSkin.h"
#include "ui/skin/ScaledPicture.h"
#include "ui/skin/SkinDescriptionFile.h"
#include "ui/skin/SkinMessage.h"
#include "ui/skin/SkinRegion.h"
#include "ui/skin/WindowRegion.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT kFirstSkinButtonId = 10000;

} // namespace

CSkinnedWindow::~CSkinnedWindow() = default;

void CSkinnedWindow::Attach(CWnd& window, std::string& skinFolderName)
{
    m_window = &window;
    m_skinFolderName = &skinFolderName;
    // The controls as the dialog manager placed them, before any button joins them.
    m_layout.Capture(window.m_hWnd);
    m_mutedControls = CMutedControl::TakeOverControls(window.m_hWnd);
    TakeOverDialogDpiChanges(window.m_hWnd);
    Dress(WindowDpi(window.m_hWnd));
    m_toolTip.Create(&window);
    m_toolTip.Activate(TRUE);
}

void CSkinnedWindow::Dress(UINT dpi)
{
    // A keyboard user keeps the focus on the button made again for this DPI.
    const int focused = FocusedButton();
    Release();
    std::vector<std::string> missing;
    if (!LoadSkin(dpi, missing)) {
        Release();
        std::string text = LoadResourceString(IDS_SKIN_MISSING);
        for (const std::string& name : missing)
            text += "\n" + name;
        ShowSkinMessage(m_window->m_hWnd, text, MB_OK | MB_ICONERROR);
        return;
    }
    ApplyWindowRegion();
    m_layout.Apply(dpi);
    CreateButtons();
    for (const auto& button : m_buttons) {
        if (button->Index() == focused)
            ::SetFocus(button->m_hWnd);
    }
    ScheduleRepaint(kRepaintDelay);
}

int CSkinnedWindow::FocusedButton() const
{
    const HWND focus = ::GetFocus();
    for (const auto& button : m_buttons) {
        if (button->m_hWnd == focus)
            return button->Index();
    }
    return -1;
}

bool CSkinnedWindow::LoadSkin(UINT dpi, std::vector<std::string>& missing)
{
    const std::string programDirectory = ProgramDirectory();
    // The language's own skin first; a program folder that lost it still
    // has the other one it shipped with.
    std::vector<std::string> names = {*m_skinFolderName};
    for (WORD language : {LANG_ENGLISH, LANG_CHINESE}) {
        const std::string name = SkinFolderNameForLanguage(MAKELANGID(language, SUBLANG_DEFAULT));
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    for (const std::string& name : names) {
        const std::string folder = programDirectory + "\\" + name;
        if (!FolderExists(folder)) {
            missing.push_back(folder);
            continue;
        }
        // A skin made before there were scales has only its 100 % pictures.
        const SkinScale scale = ChooseSkinScale(dpi, [&](int percent) {
            return FolderExists(programDirectory + "\\" + SkinScaleFolderName(name, percent));
        });
        const std::string scaleFolder = SkinScaleFolderName(name, scale.percent);
        if (!LoadSkinDescription(m_skin, programDirectory, scaleFolder)) {
            ShowSkinMessage(m_window->m_hWnd, LoadResourceString(IDS_SKIN_FILE_MISSING), MB_OK | MB_ICONERROR);
            RebuildDefaultSkin(m_skin, m_window->m_hWnd, programDirectory, scaleFolder, scale.percent);
        }
        if (LoadBackgroundImage()) {
            m_scale = scale;
            *m_skinFolderName = name;
            return true;
        }
        missing.push_back(m_skin.backgroundPath);
    }
    return false;
}

bool CSkinnedWindow::LoadBackgroundImage()
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

void CSkinnedWindow::ApplyWindowRegion()
{
    ::ApplyWindowRegion(m_window->m_hWnd, m_scale.Apply(m_backgroundImage->GetWidth()),
                        m_scale.Apply(m_backgroundImage->GetHeight()),
                        ScaleRegionData(m_skin.windowRegion, m_scale.numerator, m_scale.denominator));
}

RECT CSkinnedWindow::ScaledRect(const RECT& rect) const
{
    return {m_scale.Apply(rect.left), m_scale.Apply(rect.top), m_scale.Apply(rect.right), m_scale.Apply(rect.bottom)};
}

void CSkinnedWindow::CreateButtons()
{
    m_disabledButtons.resize(m_skin.buttons.size());
    for (int index = 0; index < m_skin.ButtonCount(); ++index) {
        const SkinButtonSpec& described = m_skin.buttons[index];
        const RECT rectangle = ScaledRect(described.rectangle);
        SkinButtonHost& host = *this;
        auto button = std::make_unique<CSkinButton>(host);
        // The tooltip is the window text too, so a screen reader names the button.
        if (!button->Create(nullptr, described.tooltip.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rectangle, m_window,
                            kFirstSkinButtonId + index))
            continue;
        button->SetupButton(described.imagePaths, rectangle,
                            ScaleRegionData(described.region, m_scale.numerator, m_scale.denominator), index,
                            described.tooltip);
        if (m_disabledButtons[index])
            button->SetEnabled(false);
        m_buttons.push_back(std::move(button));
    }
}

void CSkinnedWindow::Release()
{
    m_backgroundImage.reset();
    m_buttons.clear();
    m_hoverIndex = -1;
}

void CSkinnedWindow::ScheduleRepaint(UINT delay)
{
    if (m_window)
        SetTimer(m_window->m_hWnd, kRepaintTimer, delay, nullptr);
}

void CSkinnedWindow::EnableButton(int index, bool enabled)
{
    if (index < 0)
        return;
    if (static_cast<size_t>(index) >= m_disabledButtons.size())
        m_disabledButtons.resize(index + 1);
    m_disabledButtons[index] = !enabled;
    for (const auto& button : m_buttons) {
        if (button->Index() == index)
            button->SetEnabled(enabled);
    }
}

void CSkinnedWindow::DrawBackground()
{
    if (!m_backgroundImage)
        return;
    WindowDc dc(m_window->m_hWnd);
    DrawScaledPicture(dc.Get(), *m_backgroundImage, m_scale.Apply(m_backgroundImage->GetWidth()),
                      m_scale.Apply(m_backgroundImage->GetHeight()));
}

void CSkinnedWindow::DrawButtonsNormal()
{
    for (const auto& button : m_buttons)
        button->DrawState(button->IsEnabled() ? Normal : Disabled);
}

void CSkinnedWindow::Repaint()
{
    KillTimer(m_window->m_hWnd, kRepaintTimer);
    DrawBackground();
    DrawButtonsNormal();
    InvalidateControls();
}

void CSkinnedWindow::InvalidateControls()
{
    // The form's controls paint over the background; the buttons are the skin.
    for (HWND child = GetWindow(m_window->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) < static_cast<int>(kFirstSkinButtonId))
            InvalidateRect(child, nullptr, TRUE);
    }
}

void CSkinnedWindow::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    SetWindowPos(m_window->m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Sized to the skin again: the suggestion only scales the old size.
    Dress(dpi);
    m_toolTip.UpdateFont();
}

void CSkinnedWindow::OnSystemLookChanged(UINT msg, WPARAM wp, LPARAM lp)
{
    m_colours = DialogColours();
    m_toolTip.UpdateFont();
    for (const auto& button : m_buttons)
        button->UpdateToolTipFont();
    // The common controls hear of the system's colours only from their parent.
    HWND window = m_window->m_hWnd;
    if (msg == WM_SYSCOLORCHANGE) {
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            SendMessageA(child, msg, wp, lp);
    }
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    ScheduleRepaint(kRepaintDelay);
}

void CSkinnedWindow::OnSkinButtonHover(int index)
{
    if (index == m_hoverIndex)
        return;
    for (const auto& button : m_buttons) {
        if (button->Index() != index)
            button->DrawState(button->IsEnabled() ? Normal : Disabled);
    }
    m_hoverIndex = index;
}

void CSkinnedWindow::OnSkinButtonClick(int index)
{
    m_host.OnSkinButtonClick(index);
}

bool CSkinnedWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    HWND window = m_window ? m_window->m_hWnd : nullptr;
    if (!window)
        return false;
    switch (msg) {
    case WM_PAINT:
        // The dialog paints now; the skin goes over it a moment later, once
        // for a burst of paint messages.
        if (!IsIconic(window)) {
            ScheduleRepaint(kRepaintDelay);
            InvalidateControls();
        }
        return false;
    case WM_TIMER:
        if (wp != kRepaintTimer)
            return false;
        Repaint();
        return true;
    case kDpiChangedMessage:
        OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // High contrast switched on or off, or other fonts: the dialog hears it too.
        OnSystemLookChanged(msg, wp, lp);
        return false;
    case WM_LBUTTONDOWN: {
        // Any free point of the background drags the window like a caption.
        // The press point goes along: some systems start the move from it.
        POINT press = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(window, &press);
        PostMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(press.x, press.y));
        return false;
    }
    case WM_MOUSEMOVE:
        // The mouse left the buttons for the window's body.
        DrawButtonsNormal();
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return false;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HBRUSH brush = m_colours.Answer(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        result = reinterpret_cast<LRESULT>(brush);
        return brush != nullptr;
    }
    }
    return false;
}
