#pragma once
// The main window's notification icon and menus: the icon and its tip,
// which say what a click will do (show or hide the window); the context
// menu; the system menu's About item; help and the About box; minimising to
// the icon rather than the taskbar; the window's own icon.

#include "framework/MessageHandler.h"
#include "settings/Settings.h"
#include "ui/main/StartupHide.h"
#include "ui/menu/OwnerDrawMenu.h"

#include <functional>

class CTrayIcon;
class CWnd;

class CIconAndMenus : public CMessageHandler {
  public:
    // `fullColourChosen` and `subfoldersChosen` answer the menus' "Full
    // colour" and "Include subfolders" items; while `startupHide` is pending
    // the tip offers to show the window all along.
    CIconAndMenus(const Settings& settings, const CStartupHide& startupHide, std::function<void()> fullColourChosen,
                  std::function<void()> subfoldersChosen);

    // `trayIcon` may be null (a window without an icon, in tests). A window
    // that starts hidden offers to show itself from the first tip on.
    void Attach(CWnd& window, CTrayIcon* trayIcon, bool startsHidden);
    void Show();
    void Hide();
    void ShowHelpTopic(const char* topic);
    void ShowAboutBox();

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void AppendAboutToSystemMenu();
    // The icon's tip follows the window: "click to show" while hidden,
    // "click to hide" while shown.
    void SetTrayTip(UINT stringId);
    bool OnCommand(UINT id);
    bool OnSysCommand(WPARAM command);
    void OnContextMenu(POINT point);
    void OnWindowPosChanged(UINT flags);
    void PaintMinimised();

    const Settings& m_settings;
    const CStartupHide& m_startupHide;
    std::function<void()> m_fullColourChosen;
    std::function<void()> m_subfoldersChosen;
    CWnd* m_window = nullptr;
    CTrayIcon* m_trayIcon = nullptr;
    HICON m_icon = nullptr;
    COwnerDrawMenu m_contextMenu;
};
