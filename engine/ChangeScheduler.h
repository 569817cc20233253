#pragma once
// When the wallpaper changes: never, once at each start, once a day (checked
// every hour), or every `ChangeTime` minutes. The scheduler only decides;
// its host (the main window) changes the picture, runs the window timers
// and writes the settings it is asked to write. "Today" comes from a clock
// the host gives, the local date unless a test sets another; so does the
// wall-clock time of the last change, which decides after a sleep or an
// unlock whether a change is due (timer ticks do not count while the
// computer sleeps). No change comes by the schedule while `Paused` is on,
// and a change that falls due while someone works full-screen waits for
// them to finish.

#include "settings/Settings.h"

#include <windows.h>

#include <functional>
#include <string>

// The window timers the scheduler drives.
constexpr UINT_PTR kChangeTimer = 0;
constexpr UINT_PTR kRepaintTimer = 2;
// Looks, once a minute, whether a change kept waiting by full-screen work
// can happen now.
constexpr UINT_PTR kQuietCheckTimer = 4;
// The daily mode looks at the date once an hour, so a change comes at most
// an hour after midnight.
constexpr UINT kDailyCheckPeriod = 60 * 60 * 1000;
constexpr UINT kRepaintDelay = 50;
// After the extra change of the daily mode the desktop needs a moment
// longer before the window redraws over it.
constexpr UINT kRepaintDelayAfterExtraChange = 1000;

class ChangeSchedulerHost {
  public:
    virtual ~ChangeSchedulerHost() = default;
    // The picture after the current one becomes the current picture and
    // the wallpaper.
    virtual void ChangeToNextPicture() = 0;
    // The current picture (just chosen by the user) becomes the wallpaper,
    // or the next readable one after it; false when none could be shown.
    virtual bool ApplyCurrentPicture() = 0;
    // Starts timer 0, or restarts it with a full new period.
    virtual void StartChangeTimer(UINT period) = 0;
    virtual void StopChangeTimer() = 0;
    virtual void StartRepaintTimer(UINT delay) = 0;
    virtual void EnableIntervalEdit(bool enabled) = 0;
    // Writes `Today` to the settings key at once.
    virtual void WriteToday(const std::string& today) = 0;
    // Writes `ChangeMode` to the settings key at once.
    virtual void WriteChangeMode(int mode) = 0;
    // Whether someone works full-screen (a full-screen program or
    // presentation): a change that falls due then waits.
    virtual bool SomeoneWorksFullScreen() { return false; }
    virtual void StartQuietCheckTimer() {}
    virtual void StopQuietCheckTimer() {}
};

class CChangeScheduler {
  public:
    using TodaySource = std::function<std::string()>;
    // Milliseconds of wall-clock time, counted from any fixed moment.
    using WallClock = std::function<ULONGLONG()>;

    // `settings` are the window's members: the scheduler reads the mode,
    // interval, `ShowPic` and `Paused` from them and keeps `Today` and
    // `ChangeMode`.
    CChangeScheduler(Settings& settings, ChangeSchedulerHost& host, TodaySource today,
                     WallClock clock = SystemWallClock);

    // The last step of the window's initialisation.
    void OnStartup();
    // A tick of timer 0.
    void OnChangeTimer();
    // One of the mode radio buttons was chosen.
    void OnModeChosen(int mode);
    // The interval edit holds a new valid interval.
    void OnIntervalEdited();
    // The show-picture box was ticked and the user chose a picture. False
    // when no picture could be shown: nothing is scheduled then.
    bool OnPictureChosen();
    // The show-picture box was unticked.
    void OnShowPictureOff();

    // The computer woke from sleep or hibernation, or the user unlocked the
    // session: a change that fell due meanwhile happens now, and the timer
    // starts again with the whole period.
    void OnResumeOrUnlock();
    // A tick of the quiet check timer.
    void OnQuietCheckTimer();
    // The user changed the picture (Next, Previous, Never show): the timer
    // starts again from this change, and a waiting change is no longer due.
    void OnChangedByUser();
    bool ChangeWaiting() const { return m_changeWaiting; }

    static ULONGLONG SystemWallClock();

  private:
    bool IsNewDay() const;
    void RecordDailyChange();
    // A change the schedule wants now; false when it does not happen (paused,
    // or kept waiting by full-screen work).
    bool ChangeBySchedule();
    void ChangeNow();
    bool IntervalPassed() const;
    // Starts timer 0 again with the whole period of the mode, when it runs.
    void RestartChangeTimer();
    void CancelWaitingChange();

    Settings& m_settings;
    ChangeSchedulerHost& m_host;
    TodaySource m_today;
    WallClock m_clock;
    // The last change, or the start when none has happened since.
    ULONGLONG m_lastChange = 0;
    bool m_changeWaiting = false;
};
