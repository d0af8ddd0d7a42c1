#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/host_timing.h"

namespace quorbel {
namespace {

TEST(HostTiming, FastTimersRunAtTheDisplaysFrameAndOthersAsGiven) {
  EXPECT_EQ(FrameIntervalMs(60.0), 16u);
  EXPECT_EQ(FrameIntervalMs(100.0), 10u);
  EXPECT_EQ(FrameIntervalMs(144.0), 10u) << "no faster than Windows' shortest period";
  EXPECT_EQ(FrameIntervalMs(0.0), kDefaultFrameMs);
  EXPECT_EQ(FrameIntervalMs(-5.0), kDefaultFrameMs);
  EXPECT_EQ(FrameIntervalMs(std::nan("")), kDefaultFrameMs);
  EXPECT_EQ(FrameIntervalMs(std::numeric_limits<double>::infinity()), kDefaultFrameMs);
  EXPECT_EQ(FrameIntervalMs(5000.0), 10u) << "a wrongly reported rate makes no busy timer";

  EXPECT_EQ(HostTimerPeriod(1, 16), 16u);
  EXPECT_EQ(HostTimerPeriod(1000, 16), 1000u);
  EXPECT_EQ(HostTimerPeriod(60000, 16), 60000u);
  EXPECT_EQ(HostTimerPeriod(0, 16), 0u) << "no interval yet: the timer must not run";
  EXPECT_EQ(TickCount32(0x1'0000'0005ull), 5u);
}

constexpr uint32_t kFrame = 16;

TEST(IdleSchedule, PollsAtTheFirstReadingThenOnlyWhereTheBreakDecisionTurns) {
  IdleSchedule schedule;
  EXPECT_EQ(schedule.Enable(5000, kFrame), kFrame) << "never read yet";

  auto reading = schedule.OnTimedReading(5016, 1000);
  EXPECT_TRUE(reading.deliver_poll);
  EXPECT_EQ(reading.next_read_ms, 120000u) << "the limit cannot pass sooner";
  EXPECT_EQ(schedule.LastInputTick(), 4016u);

  reading = schedule.OnTimedReading(125016, 30000);  // input came meanwhile
  EXPECT_FALSE(reading.deliver_poll);
  EXPECT_EQ(reading.next_read_ms, 91000u);

  reading = schedule.OnTimedReading(200000, 120999);  // 120 whole seconds: no break yet
  EXPECT_FALSE(reading.deliver_poll);
  EXPECT_EQ(reading.next_read_ms, 1000u) << "at most one reading a second";

  reading = schedule.OnTimedReading(201000, 121000);
  EXPECT_TRUE(reading.deliver_poll) << "the break begins";
  EXPECT_EQ(reading.next_read_ms, 1000u) << "waiting for the user to come back";

  reading = schedule.OnTimedReading(202000, 122000);
  EXPECT_FALSE(reading.deliver_poll);
  EXPECT_EQ(reading.next_read_ms, 1000u);

  reading = schedule.OnTimedReading(203000, 40);
  EXPECT_TRUE(reading.deliver_poll) << "the user is back";
  EXPECT_EQ(reading.next_read_ms, 120960u);
}

TEST(IdleSchedule, ADisabledPollDeliversNothingAndItsFirstReadingAfterwardsDoes) {
  IdleSchedule schedule;
  schedule.Enable(0, kFrame);
  EXPECT_TRUE(schedule.OnTimedReading(16, 0).deliver_poll);
  schedule.Disable();
  EXPECT_FALSE(schedule.OnTimedReading(200000, 150000).deliver_poll);
  // The user left and came back while the poll was off: the cycle still has
  // to hear from the poll once it is on again.
  EXPECT_EQ(schedule.Enable(200300, kFrame), 700u) << "read less than a second ago";
  EXPECT_EQ(schedule.Enable(200300, kFrame), 700u);
  EXPECT_TRUE(schedule.OnTimedReading(201000, 10).deliver_poll);
  EXPECT_FALSE(schedule.OnTimedReading(202000, 10).deliver_poll);
  EXPECT_EQ(schedule.Enable(210000, kFrame), kFrame) << "already on: nothing pending";
  EXPECT_FALSE(schedule.OnTimedReading(210016, 10).deliver_poll);
}

TEST(IdleSchedule, AFailedQueryIsNoReadingForTheCycleAndIsTriedAgainASecondLater) {
  IdleSchedule schedule;
  schedule.Enable(0, kFrame);
  const auto reading = schedule.OnTimedReading(16, std::nullopt);
  EXPECT_FALSE(reading.deliver_poll);
  EXPECT_EQ(reading.next_read_ms, 1000u);
  EXPECT_EQ(schedule.LastInputTick(), std::nullopt);
  EXPECT_TRUE(schedule.OnTimedReading(1016, 5).deliver_poll) << "the first real reading still polls";
}

TEST(IdleSchedule, StampsAndAgesWrapWithTheTickCount) {
  IdleSchedule schedule;
  EXPECT_TRUE(schedule.NeedsReading(0));
  schedule.Record(10, 500);
  EXPECT_EQ(schedule.LastInputTick(), 0xFFFFFE16u);
  EXPECT_FALSE(schedule.NeedsReading(1009));
  EXPECT_TRUE(schedule.NeedsReading(1010));
  schedule.Record(0xFFFFFF00u, 0);
  EXPECT_FALSE(schedule.NeedsReading(100)) << "356 ms later, across the wrap";
  EXPECT_TRUE(schedule.NeedsReading(744));
}

}  // namespace
}  // namespace quorbel
