#pragma once
// CTrayIcon: the program's icon in the notification area. It shows the
// icon with a tip, turns clicks on it into showing, hiding and raising the
// main window, and opens the icon's menu on a right click. The application
// object owns the one instance; the main window registers itself as the
// receiver of the icon's messages and hands them to OnNotifyIconEvent.
//
// Beyond the first shells' behaviour the icon survives a restart of the
// taskbar (it is added again on "TaskbarCreated") and a start before the
// notification area exists (a failed add is tried again every 2 seconds
// for up to 2 minutes).

#include "framework/GdiObject.h"
#include "ui/menu/OwnerDrawMenu.h"
#include "ui/tray/NotifyIconData.h"

#include <string>

class CWnd;

class CTrayIcon : public CObject {
  public:
    explicit CTrayIcon(UINT iconId);
    ~CTrayIcon() override;
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // The window that receives the icon's mouse messages as `callbackMessage`.
    void SetNotifyWindow(CWnd* window, UINT callbackMessage);
    // Shows, updates or removes the icon. With a resource id the tip is
    // first taken from the program's own string of that number (when it has
    // one) and the icon from the resource module; id 0 removes the icon. A
    // null tip keeps the current one.
    bool SetIconAndTip(UINT resourceId, const char* tip);
    bool SetIconAndTip(HICON icon, const char* tip);
    // A second line under every tip (the current picture); empty for none.
    void SetTipDetail(const std::string& detail);
    // A balloon over the icon for news the user should not have to hover
    // for; nothing while the icon is not shown. False when the shell refused.
    bool ShowBalloon(const std::string& text);
    // The icon's callback message: 1 when handled, 0 when not.
    int OnNotifyIconEvent(WPARAM iconId, LPARAM mouseMessage);

    // The shell broadcasts this message when the taskbar is (re)created.
    static UINT TaskbarCreatedMessage();
    // A new taskbar starts empty: the icon is added again, with its tip.
    void OnTaskbarCreated();

    const NotifyIconData& notifyData() const { return m_notifyData; }
    bool RetryingAdd() const { return m_retryTimer != 0; }
    // Tests shorten the wait between tries and the time they go on for.
    static void SetAddRetryTiming(UINT intervalMs, DWORD limitMs);

  private:
    bool CallShell();
    // The tip and its second line, as the icon shows them.
    std::string ComposedTip() const;
    void ToggleWindow();
    int ShowMenu();
    void StartAddRetry();
    void StopAddRetry();
    void OnAddRetryTimer();
    static void CALLBACK AddRetryTimerProc(HWND, UINT, UINT_PTR timer, DWORD);

    NotifyIconData m_notifyData;
    COwnerDrawMenu m_menu;
    // The icon the program wants shown; null once it asked for removal.
    // Unlike hIcon it stays set while the shell refuses the icon.
    HICON m_wantedIcon = nullptr;
    UINT_PTR m_retryTimer = 0;
    DWORD m_retryStart = 0;
    std::string m_tip;
    std::string m_tipDetail;
};
