#include "engine/ChangeScheduler.h"

#include "engine/ChangeInterval.h"

#include <utility>

CChangeScheduler::CChangeScheduler(Settings& settings, ChangeSchedulerHost& host, TodaySource today, WallClock clock)
    : m_settings(settings), m_host(host), m_today(std::move(today)), m_clock(std::move(clock)), m_lastChange(m_clock())
{
}

ULONGLONG CChangeScheduler::SystemWallClock()
{
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000;
}

bool CChangeScheduler::IsNewDay() const
{
    return m_today() != m_settings.Today;
}

void CChangeScheduler::RecordDailyChange()
{
    m_settings.Today = m_today();
    m_host.WriteToday(m_settings.Today);
}

bool CChangeScheduler::ChangeBySchedule()
{
    if (m_settings.Paused)
        return false;
    if (m_host.SomeoneWorksFullScreen()) {
        // One waiting change is enough: it shows the next picture once.
        if (!m_changeWaiting)
            m_host.StartQuietCheckTimer();
        m_changeWaiting = true;
        return false;
    }
    ChangeNow();
    return true;
}

void CChangeScheduler::ChangeNow()
{
    m_host.ChangeToNextPicture();
    m_lastChange = m_clock();
}

void CChangeScheduler::OnStartup()
{
    m_lastChange = m_clock();
    if (!m_settings.ShowPic)
        return;
    switch (m_settings.ChangeMode) {
    case ChangeEachStart:
        ChangeBySchedule();
        break;
    case ChangeDaily:
        if (IsNewDay() && ChangeBySchedule())
            RecordDailyChange();
        m_host.StartChangeTimer(kDailyCheckPeriod);
        break;
    case ChangeInterval:
        // The first change comes one full period after the start.
        m_host.StartChangeTimer(IntervalPeriod(m_settings.ChangeTime));
        break;
    default:
        break;
    }
    m_host.EnableIntervalEdit(m_settings.ChangeMode == ChangeInterval);
}

void CChangeScheduler::OnChangeTimer()
{
    const bool daily = m_settings.ChangeMode == ChangeDaily;
    if (daily && !IsNewDay())
        return;
    if (!ChangeBySchedule())
        return;
    m_host.StartRepaintTimer(kRepaintDelay);
    if (daily)
        RecordDailyChange();
}

void CChangeScheduler::OnModeChosen(int mode)
{
    m_settings.ChangeMode = mode;
    switch (mode) {
    case ChangeDaily:
        if (IsNewDay() && ChangeBySchedule()) {
            m_host.StartRepaintTimer(kRepaintDelay);
            RecordDailyChange();
        }
        m_host.WriteChangeMode(mode);
        m_host.EnableIntervalEdit(false);
        m_host.StartChangeTimer(kDailyCheckPeriod);
        break;
    case ChangeInterval:
        m_host.WriteChangeMode(mode);
        m_host.EnableIntervalEdit(true);
        m_host.StartChangeTimer(IntervalPeriod(m_settings.ChangeTime));
        break;
    default:
        // Never, or each start: the each-start change waits for the next start.
        m_host.WriteChangeMode(mode);
        m_host.EnableIntervalEdit(false);
        m_host.StopChangeTimer();
        CancelWaitingChange();
        break;
    }
}

void CChangeScheduler::OnIntervalEdited()
{
    // A running timer restarts: the next change is one full period away.
    m_host.StartChangeTimer(IntervalPeriod(m_settings.ChangeTime));
}

bool CChangeScheduler::OnPictureChosen()
{
    if (!m_host.ApplyCurrentPicture())
        return false;
    m_host.StartRepaintTimer(kRepaintDelay);
    switch (m_settings.ChangeMode) {
    case ChangeDaily:
        // Today's change has not happened yet: it happens now, after the
        // chosen picture.
        if (IsNewDay() && ChangeBySchedule())
            m_host.StartRepaintTimer(kRepaintDelayAfterExtraChange);
        RecordDailyChange();
        m_host.StartChangeTimer(kDailyCheckPeriod);
        break;
    case ChangeInterval:
        m_host.StartChangeTimer(IntervalPeriod(m_settings.ChangeTime));
        break;
    default:
        break;
    }
    return true;
}

void CChangeScheduler::OnShowPictureOff()
{
    m_host.StopChangeTimer();
    CancelWaitingChange();
}

bool CChangeScheduler::IntervalPassed() const
{
    // Wall-clock time: it runs on while the computer sleeps.
    return m_clock() - m_lastChange >= IntervalPeriod(m_settings.ChangeTime);
}

void CChangeScheduler::RestartChangeTimer()
{
    if (!m_settings.ShowPic)
        return;
    if (m_settings.ChangeMode == ChangeDaily)
        m_host.StartChangeTimer(kDailyCheckPeriod);
    else if (m_settings.ChangeMode == ChangeInterval)
        m_host.StartChangeTimer(IntervalPeriod(m_settings.ChangeTime));
}

void CChangeScheduler::OnResumeOrUnlock()
{
    if (!m_settings.ShowPic)
        return;
    const bool daily = m_settings.ChangeMode == ChangeDaily;
    const bool due = daily ? IsNewDay() : m_settings.ChangeMode == ChangeInterval && IntervalPassed();
    if (due && ChangeBySchedule()) {
        m_host.StartRepaintTimer(kRepaintDelay);
        if (daily)
            RecordDailyChange();
    }
    RestartChangeTimer();
}

void CChangeScheduler::OnQuietCheckTimer()
{
    if (m_changeWaiting && m_host.SomeoneWorksFullScreen())
        return;
    const bool wasWaiting = m_changeWaiting;
    CancelWaitingChange();
    if (!wasWaiting || m_settings.Paused || !m_settings.ShowPic)
        return;
    ChangeNow();
    m_host.StartRepaintTimer(kRepaintDelay);
    if (m_settings.ChangeMode == ChangeDaily)
        RecordDailyChange();
    RestartChangeTimer();
}

void CChangeScheduler::OnChangedByUser()
{
    m_lastChange = m_clock();
    CancelWaitingChange();
    RestartChangeTimer();
}

void CChangeScheduler::CancelWaitingChange()
{
    if (m_changeWaiting)
        m_host.StopQuietCheckTimer();
    m_changeWaiting = false;
}
