// What the cycle's timers do on a real event loop, the same on each platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/tests/cycle_ports_driver.h"

namespace quorbel::testing {
namespace {

class CyclePortsContract : public ::testing::Test {
 protected:
  int Ticks(TimerId timer) const { return static_cast<int>(std::count(ticks_.begin(), ticks_.end(), timer)); }
  bool RunUntilTicks(TimerId timer, int count) {
    return driver_->RunUntil([&] { return Ticks(timer) >= count; }, 5000);
  }
  // Real time: the native timers run on the platform's clock.
  void RunFor(uint32_t milliseconds) { driver_->RunUntil([] { return false; }, milliseconds); }

  std::vector<TimerId> ticks_;
  std::unique_ptr<CyclePortsDriver> driver_ = MakeCyclePortsDriver([this](TimerId timer) { ticks_.push_back(timer); });
};

TEST_F(CyclePortsContract, AnEnabledTimerTicksUnderItsOwnNameUntilItIsDisabled) {
  TimerHost& timers = driver_->Timers();
  timers.SetInterval(TimerId::Timer2, 20);
  timers.SetInterval(TimerId::Timer7, 600000);
  timers.SetEnabled(TimerId::Timer2, true);
  timers.SetEnabled(TimerId::Timer7, true);
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer2, 3)) << "the enabled timer did not tick";
  EXPECT_EQ(Ticks(TimerId::Timer7), 0) << "a tick under another timer's name";

  timers.SetEnabled(TimerId::Timer2, false);
  ticks_.clear();
  RunFor(200);
  EXPECT_TRUE(ticks_.empty()) << "a disabled timer's tick was delivered";
}

TEST_F(CyclePortsContract, ATimerWithoutAnIntervalNeverTicks) {
  TimerHost& timers = driver_->Timers();
  timers.SetEnabled(TimerId::Timer3, true);
  timers.SetInterval(TimerId::Timer4, 20);
  timers.SetInterval(TimerId::Timer4, 0);
  timers.SetEnabled(TimerId::Timer4, true);
  RunFor(200);
  EXPECT_TRUE(ticks_.empty());
  EXPECT_TRUE(timers.IsEnabled(TimerId::Timer3));

  timers.SetInterval(TimerId::Timer3, 20);
  EXPECT_TRUE(RunUntilTicks(TimerId::Timer3, 1)) << "an interval given later starts it";
}

}  // namespace
}  // namespace quorbel::testing
