#pragma once
// The main window keeps the wallpaper it set. After Explorer restarts, a
// display change, a wake, an unlock or the end of a remote session, and in
// a cheap look every ten minutes, a wallpaper that was lost (the bitmap gone
// or damaged, the desktop's value emptied) comes back: the same picture,
// from the bitmap when it is whole, converted again otherwise. A wallpaper
// someone else chose since is left until the next change of the schedule,
// and the tip says so. While Windows decides the background (a policy, its
// own slideshow or Spotlight, a remote session without wallpapers) nothing
// is changed: the user is told why once, by a message box when they asked
// for a change, by the tip otherwise.

#include "engine/WallpaperInCharge.h"
#include "engine/WallpaperKeeper.h"
#include "framework/MessageHandler.h"
#include "settings/Settings.h"

#include <string>

class CAtHandCommands;
class CSessionEvents;
class CWallpaperSchedule;

class CWallpaperKeeping : public CMessageHandler {
  public:
    CWallpaperKeeping(const Settings& settings, CWallpaperSchedule& schedule, CAtHandCommands& atHandCommands,
                      CSessionEvents& sessionEvents);

    // At start, once the settings are loaded: who is in charge, and the
    // wallpaper the desktop already shows when it is ours.
    void Attach(HWND window);
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    // Something that can cost the desktop its wallpaper happened: it is
    // looked at shortly, once the shell has settled.
    void CheckSoon();
    void Check();
    // False while Windows is in charge; a user who asked is told why.
    bool MayChange(bool byUser);
    // Reads who is in charge again; the tip follows.
    void ReadWhoIsInCharge();
    void SetOtherChosen(bool otherChosen);
    const KeptWallpaper& Kept() const;
    // The tip's second line while something else decides the wallpaper.
    std::string TipNote() const;

    const Settings& m_settings;
    CWallpaperSchedule& m_schedule;
    CAtHandCommands& m_atHandCommands;
    HWND m_window = nullptr;
    WallpaperInCharge m_inCharge = WallpaperInCharge::Nobody;
    bool m_otherChosen = false;
    bool m_telling = false; // the message box is up
    // The desktop's wallpaper at start when it was ours; what the changer
    // shows later replaces it.
    KeptWallpaper m_foundAtStart;
};
