// The change scheduler's decisions, with a clock the test sets and a host
// that records what the window would have done.

#include "engine/ChangeInterval.h"
#include "engine/ChangeScheduler.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

class RecordingHost : public ChangeSchedulerHost {
  public:
    void ChangeToNextPicture() override { Log("change"); }
    bool ApplyCurrentPicture() override
    {
        Log("apply chosen");
        return true;
    }
    void StartChangeTimer(UINT period) override
    {
        changeTimerPeriod = period;
        Log("timer0 " + std::to_string(period));
    }
    void StopChangeTimer() override
    {
        changeTimerPeriod = 0;
        Log("timer0 stop");
    }
    void StartRepaintTimer(UINT delay) override { Log("timer2 " + std::to_string(delay)); }
    void EnableIntervalEdit(bool enabled) override { intervalEditEnabled = enabled; }
    void WriteToday(const std::string& today) override { Log("write Today " + today); }
    void WriteChangeMode(int mode) override { Log("write ChangeMode " + std::to_string(mode)); }

    int Changes() const
    {
        int count = 0;
        for (const auto& entry : log)
            count += entry == "change";
        return count;
    }

    std::vector<std::string> log;
    UINT changeTimerPeriod = 0; // 0 while stopped
    bool intervalEditEnabled = false;

  private:
    void Log(const std::string& entry) { log.push_back(entry); }
};

class SchedulerTest : public ::testing::Test {
  protected:
    SchedulerTest()
    {
        settings.ShowPic = 1;
        settings.Today = "00000000";
    }

    std::string today = "20240301";
    ULONGLONG now = 1000000; // wall-clock milliseconds
    Settings settings;
    RecordingHost host;
    CChangeScheduler scheduler{settings, host, [this] { return today; }, [this] { return now; }};
};

TEST_F(SchedulerTest, DailyStartWithNoChangeYetChangesAtOnceAndWritesToday)
{
    settings.ChangeMode = ChangeDaily;
    scheduler.OnStartup();
    const std::vector<std::string> expected = {"change", "write Today 20240301", "timer0 3600000"};
    EXPECT_EQ(expected, host.log);
    EXPECT_EQ("20240301", settings.Today);
    EXPECT_FALSE(host.intervalEditEnabled);
}

TEST_F(SchedulerTest, TwoDailyStartsOnTheSameDayChangeOnce)
{
    settings.ChangeMode = ChangeDaily;
    scheduler.OnStartup();
    // A second run of the program: the same settings, a new scheduler.
    RecordingHost secondHost;
    CChangeScheduler secondRun(settings, secondHost, [this] { return today; });
    secondRun.OnStartup();
    EXPECT_EQ(1, host.Changes());
    EXPECT_EQ(0, secondHost.Changes());
    EXPECT_EQ(kDailyCheckPeriod, secondHost.changeTimerPeriod);
}

TEST_F(SchedulerTest, HourlyTicksChangeOnceAfterMidnightAndNotAgainThatDay)
{
    settings.ChangeMode = ChangeDaily;
    settings.Today = "20240301";
    scheduler.OnStartup();
    scheduler.OnChangeTimer(); // 23:30
    EXPECT_EQ(0, host.Changes());

    today = "20240302";
    scheduler.OnChangeTimer(); // 00:30
    scheduler.OnChangeTimer(); // 01:30
    scheduler.OnChangeTimer(); // 02:30
    EXPECT_EQ(1, host.Changes());
    EXPECT_EQ("20240302", settings.Today);
    const std::vector<std::string> afterMidnight = {"timer0 3600000", "change", "timer2 50", "write Today 20240302"};
    EXPECT_EQ(afterMidnight, host.log);
}

TEST_F(SchedulerTest, AClockSetBackCountsAsANewDay)
{
    settings.ChangeMode = ChangeDaily;
    settings.Today = "20240301";
    today = "20231231";
    scheduler.OnStartup();
    EXPECT_EQ(1, host.Changes());
    EXPECT_EQ("20231231", settings.Today);
}

TEST_F(SchedulerTest, StartUpByMode)
{
    settings.ChangeMode = ChangeNever;
    scheduler.OnStartup();
    EXPECT_TRUE(host.log.empty());

    settings.ChangeMode = ChangeEachStart;
    scheduler.OnStartup();
    EXPECT_EQ(std::vector<std::string>{"change"}, host.log);
    EXPECT_FALSE(host.intervalEditEnabled);

    host.log.clear();
    settings.ChangeMode = ChangeInterval;
    settings.ChangeTime = 30;
    scheduler.OnStartup();
    // No change now: the first one comes a full period later.
    EXPECT_EQ(std::vector<std::string>{"timer0 1800000"}, host.log);
    EXPECT_TRUE(host.intervalEditEnabled);
}

TEST_F(SchedulerTest, NeverAndEachStartStopTheChangeTimer)
{
    for (int mode : {ChangeNever, ChangeEachStart}) {
        settings.ChangeMode = ChangeInterval;
        scheduler.OnStartup();
        ASSERT_NE(0u, host.changeTimerPeriod);
        host.log.clear();

        scheduler.OnModeChosen(mode);
        EXPECT_EQ(0u, host.changeTimerPeriod);
        EXPECT_EQ(0, host.Changes()) << "choosing each-start changes nothing until the next start";
        EXPECT_EQ(mode, settings.ChangeMode);
        EXPECT_EQ("write ChangeMode " + std::to_string(mode), host.log.front());
        EXPECT_FALSE(host.intervalEditEnabled);
    }
}

TEST_F(SchedulerTest, IntervalRadioAndEditRestartTheTimerWithTheNewPeriod)
{
    settings.ChangeTime = 0.5;
    scheduler.OnModeChosen(ChangeInterval);
    EXPECT_EQ(30000u, host.changeTimerPeriod);
    EXPECT_TRUE(host.intervalEditEnabled);

    settings.ChangeTime = 2;
    scheduler.OnIntervalEdited();
    EXPECT_EQ(120000u, host.changeTimerPeriod);
    EXPECT_EQ(0, host.Changes());
}

TEST_F(SchedulerTest, TickingShowPictureSchedulesByMode)
{
    settings.ChangeMode = ChangeInterval;
    settings.ChangeTime = 1;
    scheduler.OnPictureChosen();
    EXPECT_EQ(60000u, host.changeTimerPeriod);

    for (int mode : {ChangeNever, ChangeEachStart}) {
        host.log.clear();
        settings.ChangeMode = mode;
        scheduler.OnPictureChosen();
        EXPECT_EQ((std::vector<std::string>{"apply chosen", "timer2 50"}), host.log);
    }

    scheduler.OnShowPictureOff();
    EXPECT_EQ(0u, host.changeTimerPeriod);
}

TEST_F(SchedulerTest, WakingOrUnlockingCatchesUpWhatIsDueByTheWallClockAndRestartsTheTimer)
{
    struct Case {
        int mode;
        ULONGLONG minutesAsleep; // since the last change
        bool newDay;
        bool paused;
        int changes;
    };
    const Case cases[] = {
        {ChangeInterval, 29, false, false, 0},  {ChangeInterval, 31, false, false, 1},
        {ChangeInterval, 31, false, true, 0},   {ChangeDaily, 600, false, false, 0},
        {ChangeDaily, 1, true, false, 1},       {ChangeDaily, 1, true, true, 0},
        {ChangeEachStart, 600, true, false, 0},
    };
    for (const Case& c : cases) {
        RecordingHost host;
        settings.ChangeMode = c.mode;
        settings.ChangeTime = 30;
        settings.Today = today = "20240301";
        settings.Paused = c.paused;
        CChangeScheduler scheduler{settings, host, [this] { return today; }, [this] { return now; }};
        scheduler.OnStartup();
        const int atStart = host.Changes();
        now += c.minutesAsleep * 60000;
        if (c.newDay)
            today = "20240302";
        scheduler.OnResumeOrUnlock();
        EXPECT_EQ(c.changes, host.Changes() - atStart) << c.mode << " " << c.minutesAsleep << " " << c.paused;
        const UINT period = c.mode == ChangeDaily ? kDailyCheckPeriod : c.mode == ChangeInterval ? 1800000u : 0u;
        EXPECT_EQ(period, host.changeTimerPeriod);
        EXPECT_EQ(period != 0, !host.log.empty() && host.log.back().rfind("timer0", 0) == 0) << "a whole period again";
    }
}

TEST(IntervalPeriod, MinutesBecomeWholeMilliseconds)
{
    EXPECT_EQ(1002u, IntervalPeriod(0.0167));
    EXPECT_EQ(1800000u, IntervalPeriod(30));
    EXPECT_EQ(90000u, IntervalPeriod(1.5));
}

TEST(IntervalPeriod, ALongIntervalWaitsAsLongAsATimerCanInsteadOfWrappingRound)
{
    // 71,583 minutes would wrap to about 13 seconds in 32 bits.
    EXPECT_EQ(0x7FFFFFFFu, IntervalPeriod(71583));
    EXPECT_EQ(0x7FFFFFFFu, IntervalPeriod(kMaximumInterval));
    EXPECT_EQ(2147460000u, IntervalPeriod(35791));
}

TEST(IntervalPeriod, AStoredIntervalOutsideTheEditRangeTakesTheNearestBound)
{
    const UINT shortest = IntervalPeriod(kMinimumInterval);
    EXPECT_EQ(shortest, IntervalPeriod(0));
    EXPECT_EQ(shortest, IntervalPeriod(-5));
    EXPECT_EQ(shortest, IntervalPeriod(0.001));
    EXPECT_EQ(shortest, IntervalPeriod(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_EQ(0x7FFFFFFFu, IntervalPeriod(1e300));
}

} // namespace
