#pragma once
// The main window's wallpaper: when it changes (the change scheduler on the
// window's timers 0 and 4), how (the changer converting beside the window
// and reporting back by a message), and to which picture (the picture at
// hand's order, history and exclusions). The settings form only tells it
// what the user did.

#include "engine/ChangeScheduler.h"
#include "engine/PictureAtHand.h"
#include "engine/WallpaperChanger.h"
#include "framework/MessageHandler.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <functional>
#include <string>
#include <vector>

class WallpaperScheduleHost {
  public:
    // The interval edit takes input only in the interval mode while a
    // picture is shown.
    virtual void EnableIntervalEdit(bool enabled) = 0;
    // The skin is drawn again over the desktop after `delay` ms.
    virtual void ScheduleRepaint(UINT delay) = 0;
    // Another picture became the current one, or a change found the
    // current one gone.
    virtual void CurrentPictureMoved() = 0;
    // A change has reached the desktop.
    virtual void WallpaperShown() = 0;
    // A change found nothing readable in the folder.
    virtual void NoReadablePicture() = 0;

  protected:
    ~WallpaperScheduleHost() = default;
};

class CWallpaperSchedule : public CMessageHandler, private ChangeSchedulerHost, private WallpaperChangerHost {
  public:
    // `settings` and `key` are the window's, open for its whole life.
    CWallpaperSchedule(Settings& settings, CRegistryKey& key, PictureAtHand& atHand, WallpaperScheduleHost& host);

    // The window whose timers run the schedule and which hears of finished
    // conversions.
    void Attach(HWND window);
    CChangeScheduler& Scheduler() { return m_scheduler; }
    CWallpaperChanger& Changer() { return m_changer; }

    // Next or Previous from a menu or the command line.
    void ChangeByUser(PictureAtHand::Step step);
    // The current picture (just chosen) becomes the wallpaper, or the next
    // readable one of its folder; false when the folder has nothing
    // readable, known at once (else NoReadablePicture follows).
    bool ApplyCurrentPicture() override;
    // Stops timer 0 (at close, while a picture is shown).
    void StopChangeTimer() override;
    // Asked before every change; `byUser` is false for the schedule's own.
    void SetChangeGate(std::function<bool(bool byUser)> gate) { m_gate = std::move(gate); }

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void OnCatalogueChanged();
    // True when the catalogue does not have the pictures yet: the change is
    // kept for when it has.
    bool WaitForCatalogue(bool bySchedule);

    // ChangeSchedulerHost
    void ChangeToNextPicture() override;
    void StartChangeTimer(UINT period) override;
    void StartRepaintTimer(UINT delay) override;
    void EnableIntervalEdit(bool enabled) override;
    void WriteToday(const std::string& today) override;
    void WriteChangeMode(int mode) override;
    bool SomeoneWorksFullScreen() override;
    void StartQuietCheckTimer() override;
    void StopQuietCheckTimer() override;

    // WallpaperChangerHost
    std::string CurrentPicture() const override;
    WallpaperOptions CurrentWallpaperOptions() const override;
    std::vector<std::string> NextPictures() override;
    std::vector<std::string> PreviousPictures() override;
    void MoveToPicture(const std::string& picture, bool back) override;
    void WallpaperShown() override;
    void NoReadablePicture() override;
    bool MayChangeWallpaper() override;

    Settings& m_settings;
    CRegistryKey& m_key;
    PictureAtHand& m_atHand;
    WallpaperScheduleHost& m_host;
    HWND m_window = nullptr;
    CChangeScheduler m_scheduler;
    CWallpaperChanger m_changer;
    std::function<bool(bool byUser)> m_gate;
    bool m_bySchedule = false;
    // A change asked for before the catalogue had the pictures.
    enum class ChangeWaits { None, ByUser, BySchedule } m_changeWaits = ChangeWaits::None;
};
