#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/host_timing.h"
#include "app/timer_table.h"

namespace quorbel {
namespace {

class RecordingNativeTimers : public NativeTimers {
 public:
  void StartNative(TimerId timer, uint32_t period_ms) override {
    calls.push_back("start " + Name(timer) + " " + std::to_string(period_ms));
  }
  void StopNative(TimerId timer) override { calls.push_back("stop " + Name(timer)); }
  static std::string Name(TimerId timer) {
    static constexpr const char* kNames[kTimerCount] = {"1", "2", "3", "4", "5", "7"};
    return kNames[static_cast<size_t>(timer)];
  }

  std::vector<std::string> calls;
};

class QuietIdleProbe : public IdleProbe, public WakeTimer {
 public:
  std::optional<uint32_t> IdleMs() override { return 0; }
  uint32_t Now() override { return 0; }
  uint64_t SleptMs() override { return 0; }
  void WakeAfter(uint32_t) override {}
  void Cancel() override {}
};

class TimerTableTest : public ::testing::Test {
 protected:
  std::vector<std::string> Calls() { return std::exchange(native_.calls, {}); }

  RecordingNativeTimers native_;
  std::vector<TimerId> ticks_;
  TimerTable table_{native_, [this](TimerId timer) { ticks_.push_back(timer); }, {}};
};

TEST_F(TimerTableTest, EnablingKeepsARunningTimersPhaseAndStartsAStoppedOneAfresh) {
  table_.SetInterval(TimerId::Timer1, 60000);
  EXPECT_EQ(Calls(), std::vector<std::string>{"stop 1"}) << "an interval alone starts nothing";
  table_.SetEnabled(TimerId::Timer1, true);
  EXPECT_EQ(Calls(), std::vector<std::string>{"start 1 60000"});
  table_.SetEnabled(TimerId::Timer1, true);
  table_.SetInterval(TimerId::Timer1, 60000);
  EXPECT_TRUE(Calls().empty()) << "the running timer was restarted";
  table_.SetInterval(TimerId::Timer1, 1000);
  EXPECT_EQ(Calls(), std::vector<std::string>{"start 1 1000"}) << "a new interval counts from now";
  table_.SetEnabled(TimerId::Timer1, false);
  table_.SetEnabled(TimerId::Timer1, true);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"stop 1", "start 1 1000"}));
  EXPECT_TRUE(table_.IsEnabled(TimerId::Timer1));
}

TEST_F(TimerTableTest, AnIntervalOfZeroNeverTicksAndTheShortestPeriodIsTheFloor) {
  table_.SetEnabled(TimerId::Timer2, true);
  EXPECT_EQ(Calls(), std::vector<std::string>{"stop 2"}) << "enabled without an interval";
  EXPECT_TRUE(table_.IsEnabled(TimerId::Timer2)) << "enabled all the same";
  table_.SetInterval(TimerId::Timer2, 1);
  EXPECT_EQ(Calls(), std::vector<std::string>{"start 2 1"}) << "Windows takes the interval itself";

  TimerTable framed{native_, [](TimerId) {}, {16, nullptr}};
  framed.SetInterval(TimerId::Timer3, 1);
  framed.SetEnabled(TimerId::Timer3, true);
  framed.SetInterval(TimerId::Timer3, 1000);
  framed.SetInterval(TimerId::Timer3, 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"stop 3", "start 3 16", "start 3 1000", "stop 3"}));
}

TEST_F(TimerTableTest, OnlyEnabledTimersTicksArriveAndStopAllLeavesNoneRunning) {
  for (const TimerId timer : {TimerId::Timer2, TimerId::Timer7}) {
    table_.SetInterval(timer, 10);
    table_.SetEnabled(timer, true);
  }
  table_.OnNativeTick(TimerId::Timer2);
  table_.OnNativeTick(TimerId::Timer4);  // queued before it was stopped
  table_.SetEnabled(TimerId::Timer2, false);
  table_.OnNativeTick(TimerId::Timer2);
  table_.OnNativeTick(TimerId::Timer7);
  EXPECT_EQ(ticks_, (std::vector<TimerId>{TimerId::Timer2, TimerId::Timer7}));

  Calls();
  table_.StopAll();
  for (const TimerId timer : kAllTimers) EXPECT_FALSE(table_.IsEnabled(timer));
  EXPECT_EQ(Calls(), std::vector<std::string>{"stop 7"}) << "only the running timer needed stopping";
}

TEST_F(TimerTableTest, TheIdlePollGoesToTheIdleSourceWhereThereIsOne) {
  QuietIdleProbe probe;
  IdlePollSource idle{probe, probe, 16, [] {}};
  TimerTable routed{native_, [this](TimerId timer) { ticks_.push_back(timer); }, {16, &idle}};
  routed.SetInterval(TimerId::Timer5, 1);
  routed.SetEnabled(TimerId::Timer5, true);
  EXPECT_TRUE(Calls().empty()) << "Timer5 became a native timer";
  EXPECT_TRUE(idle.IsEnabled());
  EXPECT_TRUE(routed.IsEnabled(TimerId::Timer5));
  routed.OnNativeTick(TimerId::Timer5);
  EXPECT_TRUE(ticks_.empty()) << "the poll comes from the idle source only";
  routed.StopAll();
  EXPECT_FALSE(idle.IsEnabled());

  table_.SetInterval(TimerId::Timer5, 1);
  table_.SetEnabled(TimerId::Timer5, true);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"stop 5", "start 5 1"})) << "without an idle source it is native";
}

}  // namespace
}  // namespace quorbel
