#include "app/tests/cycle_fixture.h"

namespace quorbel::testing {
namespace {

TEST_F(CycleTest, BreakOf120SecondsDoesNotResetButOneOf121Does) {
  StartWithInterval(0, 10);
  platform_.RunFor(2 * kMinute);
  platform_.TakeBreak();
  platform_.RunFor(120 * kSecond + 999);  // the seconds are truncated
  platform_.ReturnFromBreak();
  platform_.RunFor(kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 4);

  SetInterval(0, 3);
  platform_.TakeBreak();
  platform_.RunFor(121 * kSecond + 10);

  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_EQ(cycle_.AlarmLevel(), 1);
  EXPECT_EQ(cycle_.AlarmMinute(), 3);  // the interval is read anew
  EXPECT_EQ(cycle_.UseTimeText(), u"0");
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer1));
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u"0");
  EXPECT_EQ(renderer_.Drawn().back().alarm_level, 1);
  EXPECT_EQ(renderer_.Drawn().size(), 2u) << "one redraw per break";
}

TEST_F(CycleTest, CountingResumesAFullMinuteAfterTheFirstInputAndStartsOverAtLevelOne) {
  StartWithInterval(0, 5);
  platform_.RunFor(2 * kMinute);
  SetInterval(0, 3);
  platform_.TakeBreak();
  platform_.RunFor(15 * kMinute);
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_TRUE(ReminderDraws().empty());

  platform_.ClearEvents();
  const uint64_t back = platform_.Now();
  platform_.ReturnFromBreak();
  platform_.RunFor(3 * kMinute + kSecond);

  const auto minutes = platform_.TickTimes(TimerId::Timer1);
  ASSERT_FALSE(minutes.empty());
  EXPECT_GE(minutes[0], back + kMinute);
  EXPECT_LE(minutes[0], back + kMinute + 10);  // the first poll that sees the user
  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 1u);
  EXPECT_EQ(reminders[0].use_time_text, u" 00:03");
  EXPECT_EQ(reminders[0].alarm_level, 2);
}

TEST_F(CycleTest, BreakPassing120SecondsWhileThePanelIsOutRedrawsItAndTheHoldGoesOn) {
  StartWithInterval(0, 2);
  platform_.RunFor(4 * kSecond);
  platform_.TakeBreak();  // the reminder falls due 115 s into the break
  ASSERT_TRUE(platform_.RunUntil([&] { return cycle_.IsIdle(); }, 5 * kMinute));

  EXPECT_EQ(window_.Top(), 0);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer3));
  ASSERT_EQ(ReminderDraws().size(), 1u);
  EXPECT_EQ(ReminderDraws()[0].alarm_level, 2);
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u"0");
  EXPECT_EQ(renderer_.Drawn().back().alarm_level, 1);

  platform_.RunFor(15 * kSecond);
  EXPECT_EQ(platform_.Ticks(TimerId::Timer3), 10);
  EXPECT_EQ(window_.Top(), -140);
  // The panel is gone but the user is still away: no minute of the break counts.
  platform_.RunFor(10 * kMinute);
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer1));

  platform_.ReturnFromBreak();
  platform_.RunFor(kMinute + 10);
  EXPECT_EQ(cycle_.UseMinutes(), 1);
  EXPECT_FALSE(cycle_.IsIdle());
}

TEST_F(CycleTest, FailedLastInputQuerySkipsThePoll) {
  StartWithInterval(0, 30);
  platform_.FailLastInputQuery(true);
  platform_.TakeBreak();
  platform_.RunFor(10 * kMinute);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 10);
}

TEST_F(CycleTest, TickCountWrapDuringUseIsNoBreak) {
  StartWithInterval(0, 30);
  platform_.SetInputLag(700);  // last input just before the wrap, the tick count just after
  platform_.SetTickCountNow(0xFFFFFFFFu - 1000);
  platform_.RunFor(5 * kMinute);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 5);
}

TEST_F(CycleTest, InputStampedAfterTheTickCountIsNoIdleTime) {
  StartWithInterval(0, 5);
  platform_.SetInputLag(-1);
  platform_.RunFor(5 * kMinute + kSecond);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 5);
  EXPECT_EQ(ReminderDraws().size(), 1u) << "the due reminder is not pushed back";
}

TEST_F(CycleTest, TickCountWrapDuringABreakStillMeasuresIt) {
  StartWithInterval(0, 30);
  platform_.RunFor(kMinute);
  platform_.SetTickCountNow(0xFFFFFFFFu - 50 * kSecond);
  platform_.TakeBreak();
  platform_.RunFor(120 * kSecond + 999);
  EXPECT_FALSE(cycle_.IsIdle());
  platform_.RunFor(11);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 0);
}

// Waking from sleep: the tick count went on, so the minute timer and the idle
// poll are both due at once, in either order.
class WakeTest : public CycleTest, public ::testing::WithParamInterface<TimerId> {};

TEST_P(WakeTest, LongSleepIsABreakWhicheverTimerComesFirst) {
  StartWithInterval(0, 10);
  platform_.RunFor(9 * kMinute + 30 * kSecond);  // the alarm minute is the next one
  platform_.SetTickCountNow(0xFFFFFFFFu - kMinute);  // and the sleep passes the wrap
  platform_.SuspendMachine(20 * 24 * kHour, GetParam());
  platform_.RunFor(0);

  EXPECT_TRUE(ReminderDraws().empty());
  EXPECT_EQ(cycle_.AlarmLevel(), 1);
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_TRUE(cycle_.IsIdle());
  EXPECT_EQ(window_.Top(), -140);

  platform_.RunFor(kMinute);
  platform_.ClearEvents();
  const uint64_t back = platform_.Now();
  platform_.ReturnFromBreak();
  ASSERT_TRUE(platform_.RunUntil([&] { return !ReminderDraws().empty(); }, kHour));
  EXPECT_GE(platform_.Now(), back + 10 * kMinute);
  EXPECT_LE(platform_.Now(), back + 10 * kMinute + 20);
  EXPECT_EQ(ReminderDraws()[0].alarm_level, 2);
}

TEST_P(WakeTest, ShortSleepKeepsTheCount) {
  StartWithInterval(0, 10);
  platform_.RunFor(3 * kMinute + 30 * kSecond);
  platform_.SuspendMachine(90 * kSecond, GetParam());
  platform_.RunFor(0);
  platform_.ReturnFromBreak();
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 4) << "the minute that fell due in the sleep counts";
  platform_.RunFor(6 * kMinute);
  EXPECT_EQ(ReminderDraws().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(DeliveryOrder, WakeTest,
                         ::testing::Values(TimerId::Timer1, TimerId::Timer5),
                         [](const auto& info) {
                           return info.param == TimerId::Timer1 ? "MinuteFirst" : "IdlePollFirst";
                         });

}  // namespace
}  // namespace quorbel::testing
