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
  platform_.SetTickCountNow(0xFFFFFFFFu - 1000);
  platform_.RunFor(5 * kMinute);
  EXPECT_FALSE(cycle_.IsIdle());
  EXPECT_EQ(cycle_.UseMinutes(), 5);
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

}  // namespace
}  // namespace quorbel::testing
