#include "engine/ChangeScheduler.h"

#include "engine/ChangeInterval.h"

#include <utility>

CChangeScheduler::CChangeScheduler(Settings& settings, ChangeSchedulerHost& host, TodaySource today)
    : m_settings(settings), m_host(host), m_today(std::move(today))
{
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

void CChangeScheduler::OnStartup()
{
    if (!m_settings.ShowPic)
        return;
    switch (m_settings.ChangeMode) {
    case ChangeEachStart:
        m_host.ChangeToNextPicture();
        break;
    case ChangeDaily:
        if (IsNewDay()) {
            m_host.ChangeToNextPicture();
            RecordDailyChange();
        }
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
    m_host.ChangeToNextPicture();
    m_host.StartRepaintTimer(kRepaintDelay);
    if (daily)
        RecordDailyChange();
}

void CChangeScheduler::OnModeChosen(int mode)
{
    m_settings.ChangeMode = mode;
    switch (mode) {
    case ChangeDaily:
        if (IsNewDay()) {
            m_host.ChangeToNextPicture();
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
        if (IsNewDay()) {
            m_host.ChangeToNextPicture();
            m_host.StartRepaintTimer(kRepaintDelayAfterExtraChange);
        }
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
}
