// A machine sleep on Linux: the cycle's tick count runs on through it, but
// the idle sources do not see it. The X server, the session's screen saver
// and GNOME's idle monitor count idle time on the monotonic clock; the
// Wayland compositor only says when the user went idle and came back. Each
// is modelled here on the fake thread with the user at work before and
// after the sleep.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "app/cycle.h"
#include "app/host_timing.h"
#include "app/idle_sources.h"
#include "app/sleep_away.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_native_timers.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {
namespace {

constexpr uint64_t kSecond = 1000;
constexpr uint64_t kMinute = 60 * kSecond;
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

enum class Source {
  XServer,          // asked on a schedule, idle time on the monotonic clock
  GnomeIdleMonitor, // says when the limit passes and, when asked, the return
  WaylandNotify,    // only idled and resumed, no idle time in between
};

class FakeSessionSource : public IdleProbe, public WakeTimer {
 public:
  FakeSessionSource(FakePlatform& platform, Source source) : platform_(platform), source_(source) {}

  std::optional<uint32_t> IdleMs() override {
    if (source_ == Source::WaylandNotify) return notify_.IdleMs(Now());
    return away_since_ ? static_cast<uint32_t>(Monotonic() - *away_since_) : 0;
  }
  uint32_t Now() override { return platform_.TickCount(); }
  uint64_t SleptMs() override { return slept_ms_; }
  bool ReportsChanges() const override { return source_ != Source::XServer; }
  void WatchForReturn() override { watching_return_ = true; }
  void WakeAfter(uint32_t milliseconds) override { wake_at = platform_.Now() + milliseconds; }
  void Cancel() override { wake_at = kNever; }

  void Sleep(uint64_t milliseconds) { slept_ms_ += milliseconds; }
  void UserLeaves() { away_since_ = Monotonic(); }
  void UserReturns() { away_since_.reset(); }
  bool UserIsAway() const { return away_since_.has_value(); }
  // What a reporting source says on its own at `now`; true when it spoke.
  bool Report() {
    if (source_ == Source::XServer) return false;
    if (away_since_ && !reported_idle_ && Monotonic() - *away_since_ >= IdleSchedule::kBreakIdleMs) {
      reported_idle_ = true;
      notify_.OnIdled(Now());
      return true;
    }
    if (!away_since_ && (watching_return_ || reported_idle_)) {
      watching_return_ = reported_idle_ = false;
      notify_.OnResumed();
      return true;
    }
    return false;
  }

  uint64_t wake_at = kNever;

 private:
  uint64_t Monotonic() const { return platform_.Now() - slept_ms_; }

  FakePlatform& platform_;
  Source source_;
  uint64_t slept_ms_ = 5 * kMinute;  // sleeps before the start do not count
  std::optional<uint64_t> away_since_;
  bool watching_return_ = false;
  bool reported_idle_ = false;
  IdleNotifyState notify_{IdleSchedule::kBreakIdleMs};
};

// The source, and which comes first after the wake: the minute tick, or the
// idle source (a timed reading, or for a reporting source its own report).
using Param = std::tuple<Source, TimerId>;

class SleepCycleTest : public ::testing::TestWithParam<Param> {
 protected:
  SleepCycleTest() {
    platform_.SetTickHandler([this](TimerId timer) { timers_.OnNativeTick(timer); });
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1");
  }

  void Start(int32_t minutes) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", minutes);
    cycle_.Start();
  }

  // The fake thread in steps of 100 ms, with the source's wake-ups and its
  // own reports (a report comes at the first input after it is asked for).
  void RunFor(uint64_t milliseconds) {
    const uint64_t end = platform_.Now() + milliseconds;
    while (platform_.Now() < end) {
      const uint64_t step_end = std::min(end, platform_.Now() + 100);
      while (source_.wake_at <= step_end) {
        platform_.RunFor(source_.wake_at > platform_.Now() ? source_.wake_at - platform_.Now() : 0);
        source_.wake_at = kNever;
        idle_.OnWake();
      }
      platform_.RunFor(step_end - platform_.Now());
      if (source_.Report()) idle_.OnIdleChanged();
    }
  }

  // The machine sleeps with the user at work before and after it.
  void SleepMachine(uint64_t milliseconds) {
    source_.Sleep(milliseconds);
    const TimerId first = std::get<1>(GetParam());
    platform_.SuspendMachine(milliseconds, first);
    if (first == TimerId::Timer5 && source_.ReportsChanges()) {
      idle_.OnIdleChanged();
    } else if (first == TimerId::Timer5 && source_.wake_at <= platform_.Now()) {
      source_.wake_at = kNever;
      idle_.OnWake();
    }
    platform_.ReturnFromBreak();
  }

  int Reminders() const {
    int count = 0;
    for (const PlatformEvent& move : platform_.EventsOf(PlatformEvent::Kind::Move)) count += move.value == 0;
    return count;
  }

  FakePlatform platform_;
  FakePanelWindow window_{platform_};
  RecordingRenderer renderer_{platform_};
  FakeSessionSource source_{platform_, std::get<0>(GetParam())};
  IdlePollSource idle_{source_, source_, 16, [this] { cycle_.OnTimer(TimerId::Timer5); }};
  FakeNativeTimers native_{platform_};
  TimerTable timers_{native_, [this](TimerId timer) { cycle_.OnTimer(timer); }, {0, &idle_}};
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  ReminderCycle cycle_{CyclePorts{timers_, window_, idle_, platform_, renderer_, reg_, ini_}, u"load.wav"};
};

TEST_P(SleepCycleTest, ALongSleepIsABreakAndTheIntervalCountsFromTheWake) {
  Start(10);
  RunFor(8 * kMinute + 30 * kSecond);
  platform_.ClearEvents();
  const uint64_t wake = platform_.Now() + 30 * kMinute;
  SleepMachine(30 * kMinute);

  RunFor(9 * kMinute + 50 * kSecond);
  EXPECT_EQ(Reminders(), 0) << "the 8 minutes before the sleep are forgotten";
  EXPECT_FALSE(cycle_.IsIdle()) << "the user at work after the wake counts again";
  RunFor(13 * kSecond);
  EXPECT_EQ(Reminders(), 1) << "10 minutes after the wake";
  EXPECT_EQ(cycle_.AlarmLevel(), 2);
  const auto down = platform_.EventsOf(PlatformEvent::Kind::Move);
  ASSERT_FALSE(down.empty());
  EXPECT_GE(down.front().time, wake + 10 * kMinute);
}

TEST_P(SleepCycleTest, AShortSleepKeepsTheCount) {
  Start(10);
  RunFor(3 * kMinute + 30 * kSecond);
  SleepMachine(90 * kSecond);
  RunFor(kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_GE(cycle_.UseMinutes(), 4) << "the minute that fell due in the sleep counts";
  platform_.ClearEvents();
  RunFor(6 * kMinute);
  EXPECT_EQ(Reminders(), 1) << "at 10 minutes of use, the sleep's 90 s among them";
}

// Without input after the wake the user is still away, however the source
// reads in the meantime; the first input is the return.
TEST_P(SleepCycleTest, AfterTheWakeTheUserIsAwayUntilInputComes) {
  Start(10);
  RunFor(8 * kMinute);
  source_.UserLeaves();
  SleepMachine(30 * kMinute);  // woken by its own timer: no input
  RunFor(90 * kSecond);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);

  source_.UserReturns();
  RunFor(2 * kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
}

std::string NameOf(const ::testing::TestParamInfo<Param>& info) {
  static const char* const kSources[] = {"XServer", "GnomeIdleMonitor", "WaylandNotify"};
  return std::string(kSources[static_cast<int>(std::get<0>(info.param))]) +
         (std::get<1>(info.param) == TimerId::Timer1 ? "_MinuteFirst" : "_SourceFirst");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SleepCycleTest,
    ::testing::Combine(::testing::Values(Source::XServer, Source::GnomeIdleMonitor, Source::WaylandNotify),
                       ::testing::Values(TimerId::Timer1, TimerId::Timer5)),
    NameOf);

// Tick counts here include the sleeps, as the cycle's does.
TEST(SleepAway, SleepsAddUpWhileAwayAndOnlyTrustedInputAfterTheWakeEndsThem) {
  constexpr uint64_t kMonth = UINT64_C(30) * 24 * 3600 * 1000;
  SleepAway away(121000, 0);
  EXPECT_EQ(away.IdleMs(130000, 500, 120999, true), 500u) << "just short of a break";
  EXPECT_EQ(away.IdleMs(340000, 500, 320999, true), 200000u) << "200 s asleep";
  EXPECT_EQ(away.IdleMs(345000, 0, 320999, false), 205000u) << "an untrusted reading is no return";
  EXPECT_EQ(away.IdleMs(650000, std::nullopt, 620999, true), 510000u)
      << "a second sleep keeps the first's start, and a failed query changes nothing";
  EXPECT_EQ(away.IdleMs(651000, 2000, 620999, true), 511000u) << "input from before the last wake";
  EXPECT_EQ(away.IdleMs(652000, 1000, 620999, true), 1000u) << "input since: back";
  EXPECT_EQ(away.IdleMs(static_cast<uint32_t>(652000 + kMonth), 0, 620999 + kMonth, true), 0x7FFFFFFFu)
      << "a month asleep stays a break, not a stamp from the future";
}

}  // namespace
}  // namespace quorbel::testing
