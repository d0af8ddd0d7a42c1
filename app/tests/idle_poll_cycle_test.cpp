// The reminder cycle with its idle poll delivered by IdlePollSource, as on
// Linux, instead of a fast timer: the cycle must decide as it does on
// Windows while the process is woken far less often.
#include <gtest/gtest.h>

#include <limits>

#include "app/cycle.h"
#include "app/host_timing.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_native_timers.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {
namespace {

constexpr uint64_t kSecond = 1000;
constexpr uint64_t kMinute = 60 * kSecond;
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

// The fake thread's input clock as the X server would report it, and the
// wake timer as virtual time.
class FakeIdleHost : public IdleProbe, public WakeTimer {
 public:
  explicit FakeIdleHost(FakePlatform& platform) : platform_(platform) {}
  std::optional<uint32_t> IdleMs() override {
    ++queries;
    if (fail_queries > 0) {
      --fail_queries;
      return std::nullopt;
    }
    const auto last = platform_.LastInputTick();
    if (!last) return std::nullopt;
    return platform_.TickCount() - *last;
  }
  uint32_t Now() override { return platform_.TickCount(); }
  // The fake's idle time counts the machine's sleeps itself.
  uint64_t SleptMs() override { return 0; }
  bool ReportsChanges() const override { return reports_changes; }
  void WatchForReturn() override { ++return_watches; }
  void WakeAfter(uint32_t milliseconds) override { wake_at = platform_.Now() + milliseconds; }
  void Cancel() override { wake_at = kNever; }

  uint64_t wake_at = kNever;
  int queries = 0;
  bool reports_changes = false;
  int fail_queries = 0;
  int return_watches = 0;

 private:
  FakePlatform& platform_;
};

class IdlePollCycleTest : public ::testing::Test {
 protected:
  IdlePollCycleTest() {
    platform_.SetTickHandler([this](TimerId timer) { timers_.OnNativeTick(timer); });
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1");
  }

  void Start(int32_t minutes) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", minutes);
    cycle_.Start();
  }

  // Runs the fake thread, waking the idle source when it asked to be woken.
  void RunFor(uint64_t milliseconds) {
    const uint64_t end = platform_.Now() + milliseconds;
    while (host_.wake_at <= end) {
      // A wake-up that fell due while the machine slept comes at once.
      platform_.RunFor(host_.wake_at > platform_.Now() ? host_.wake_at - platform_.Now() : 0);
      host_.wake_at = kNever;
      ++wakes_;
      idle_.OnWake();
    }
    platform_.RunFor(end - platform_.Now());
  }

  FakePlatform platform_;
  FakePanelWindow window_{platform_};
  RecordingRenderer renderer_{platform_};
  FakeIdleHost host_{platform_};
  int polls_ = 0;
  int wakes_ = 0;
  IdlePollSource idle_{host_, host_, 16, [this] {
                         ++polls_;
                         cycle_.OnTimer(TimerId::Timer5);
                       }};
  FakeNativeTimers native_{platform_};
  TimerTable timers_{native_, [this](TimerId timer) { cycle_.OnTimer(timer); }, {0, &idle_}};
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  ReminderCycle cycle_{CyclePorts{timers_, window_, idle_, platform_, renderer_, reg_, ini_}, u"load.wav"};
};

TEST_F(IdlePollCycleTest, AWorkingUserCostsAReadingEveryTwoMinutesAndRemindersComeOnTime) {
  Start(1);
  RunFor(kSecond);
  EXPECT_EQ(polls_, 1) << "the poll at start-up";
  EXPECT_EQ(window_.Top(), -140);

  const int queries_at_start = host_.queries;
  RunFor(60 * kMinute);
  int reminders = 0;
  for (const PanelModel& model : renderer_.Drawn()) reminders += model.use_time_text[0] == u' ';
  EXPECT_EQ(reminders, 3) << "at 1, 31 and 51 minutes of use";
  EXPECT_LE(wakes_, 32) << "the idle source wakes about every two minutes";
  EXPECT_LE(host_.queries - queries_at_start, platform_.Ticks(TimerId::Timer1) + wakes_)
      << "besides those wake-ups, only a minute tick reads the idle time";
  EXPECT_EQ(polls_, 1);
  EXPECT_FALSE(cycle_.IsIdle());
}

TEST_F(IdlePollCycleTest, ABreakOf121SecondsResetsWithinASecondAndTheReturnRestartsTheCount) {
  Start(10);
  RunFor(3 * kMinute + 500);
  platform_.TakeBreak();
  RunFor(120 * kSecond + 900);
  EXPECT_FALSE(cycle_.IsIdle()) << "120 whole seconds are no break";
  RunFor(1100);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer1));

  const int wakes_before = wakes_;
  RunFor(10 * kMinute);
  EXPECT_LE(wakes_ - wakes_before, 601) << "once a second while waiting for the user";

  platform_.ClearEvents();
  const uint64_t back = platform_.Now();
  platform_.ReturnFromBreak();
  RunFor(kMinute + 2 * kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  const auto minutes = platform_.TickTimes(TimerId::Timer1);
  ASSERT_EQ(minutes.size(), 1u);
  EXPECT_GE(minutes[0], back + kMinute);
  EXPECT_LE(minutes[0], back + kMinute + kSecond);
}

TEST_F(IdlePollCycleTest, AReturnWhileTheCycleIsFrozenIsHeardOnceTheFreezeEnds) {
  Start(10);
  RunFor(kMinute);
  platform_.TakeBreak();
  RunFor(3 * kMinute);
  ASSERT_TRUE(cycle_.IsIdle());

  // The user comes back straight into the settings dialog: the freeze stops
  // the poll before it reads the return.
  platform_.ReturnFromBreak();
  cycle_.ShowPanelManaul();
  RunFor(30 * kSecond);
  cycle_.Time3active();
  RunFor(2 * kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(window_.Top(), -140);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1)) << "counting resumes after the freeze";
}

TEST_F(IdlePollCycleTest, AMinuteTickAfterSleepSeesTheBreakThoughNoPollReadItYet) {
  Start(10);
  RunFor(2 * kMinute);
  platform_.SuspendMachine(30 * kMinute, TimerId::Timer1);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);
}

// GNOME's idle monitor and the Wayland compositor say when the limit passes
// and when input is back; the source reads only then.
TEST_F(IdlePollCycleTest, ASourceThatReportsChangesIsReadOnlyWhenItDoesAndDecidesAsAPolledOne) {
  host_.reports_changes = true;
  Start(10);
  RunFor(kSecond);
  ASSERT_EQ(polls_, 1);
  RunFor(5 * kMinute);
  EXPECT_EQ(wakes_, 1) << "no timed reading after the first";
  EXPECT_EQ(cycle_.UseMinutes(), 5);

  platform_.TakeBreak();
  RunFor(121 * kSecond);
  idle_.OnIdleChanged();
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);

  RunFor(10 * kMinute);
  platform_.ReturnFromBreak();
  idle_.OnIdleChanged();
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
  EXPECT_EQ(wakes_, 1);
}

TEST_F(IdlePollCycleTest, AReplacedSourceIsReadAtOnceAndItsFirstReadingIsAPoll) {
  host_.reports_changes = true;
  Start(10);
  RunFor(kMinute + 500);
  platform_.TakeBreak();
  RunFor(121 * kSecond + 500);
  ASSERT_FALSE(cycle_.IsIdle()) << "the old source went away before it said so, and no minute tick saw it yet";

  idle_.OnSourceReplaced();
  RunFor(100);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(polls_, 2);

  // A source that fails its first query is asked again, not left waiting
  // for a change it may never report.
  platform_.ReturnFromBreak();
  host_.fail_queries = 1;
  idle_.OnSourceReplaced();
  RunFor(2 * kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
}

// After a sleep the minute tick may read the break before any poll does; the
// user's return must still restart the count.
TEST_F(IdlePollCycleTest, AfterABreakTheMinuteTickFoundInSleepTheReturnRestartsTheCount) {
  Start(10);
  RunFor(2 * kMinute);
  platform_.SuspendMachine(30 * kMinute, TimerId::Timer1);
  ASSERT_TRUE(cycle_.IsIdle());
  platform_.ReturnFromBreak();
  RunFor(2 * kSecond);
  EXPECT_FALSE(cycle_.IsIdle()) << "a polled source must tell the cycle that the user is back";
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
}

TEST_F(IdlePollCycleTest, ASourceThatReportsChangesIsAskedToWatchForTheReturnOnceABreakIsRead) {
  host_.reports_changes = true;
  Start(10);
  RunFor(2 * kMinute);
  EXPECT_EQ(host_.return_watches, 0) << "no break yet";
  platform_.SuspendMachine(30 * kMinute, TimerId::Timer1);
  ASSERT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(host_.return_watches, 1) << "the source saw no break of its own: it must be told to watch";

  platform_.ReturnFromBreak();
  idle_.OnIdleChanged();  // the watched return
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));

  // A break the source reports itself is watched too: the source may not
  // have set its return watch (GNOME's is set by the program).
  platform_.TakeBreak();
  RunFor(121 * kSecond);
  idle_.OnIdleChanged();
  ASSERT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(host_.return_watches, 2);
}

}  // namespace
}  // namespace quorbel::testing
