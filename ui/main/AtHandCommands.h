#pragma once
// The picture at hand, as the user reaches it: Next, Previous, the
// picture's folder, "never show this picture", pause and shuffle from both
// menus; the verbs another start of the program sends ("Tessaly.exe /next");
// and the icon's tip that names the picture shown (or, once, a picture
// format this system has no decoder for).

#include "engine/AtHandVerb.h"
#include "engine/PictureAtHand.h"
#include "framework/MessageHandler.h"
#include "settings/Settings.h"

#include <functional>
#include <optional>
#include <set>
#include <string>

class CIconAndMenus;
class CTrayIcon;
class CWallpaperSchedule;

class CAtHandCommands : public CMessageHandler {
  public:
    // The verbs show and hide the window through `iconAndMenus`; `exit`
    // ends the program as its exit command does.
    CAtHandCommands(Settings& settings, PictureAtHand& atHand, CWallpaperSchedule& schedule,
                    CIconAndMenus& iconAndMenus, std::function<void()> exit);

    // `trayIcon` may be null (a window without an icon, in tests).
    void Attach(HWND window, CTrayIcon* trayIcon);
    // A verb of this start's command line, done once the window has hidden.
    void RunStartupVerb(std::optional<AtHandVerb> verb);
    // The user picked `picture` in the select-picture dialog.
    void Chosen(const std::string& picture);
    // The tip's second line: the picture shown, and whether changes pause.
    void RefreshTipDetail();
    // A note that stands in the tip instead of the picture while it is not empty.
    void SetTipNote(std::function<std::string()> note) { m_tipNote = std::move(note); }

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void OnVerb(AtHandVerb verb);
    bool OnCommand(UINT id);
    // Both menus pass here as they open.
    void PrepareMenu(HMENU menu);
    void OpenPictureFolder();
    void SetPaused(bool paused);

    Settings& m_settings;
    PictureAtHand& m_atHand;
    CWallpaperSchedule& m_schedule;
    CIconAndMenus& m_iconAndMenus;
    std::function<void()> m_exit;
    HWND m_window = nullptr;
    CTrayIcon* m_trayIcon = nullptr;
    std::function<std::string()> m_tipNote;
    std::set<std::string> m_toldMissingDecoders;
};
