#include "app/tests/cycle_fixture.h"

namespace quorbel::testing {
namespace {

bool AnyTimerEnabled(const FakePlatform& platform) {
  for (const TimerId timer : {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3, TimerId::Timer4,
                              TimerId::Timer5, TimerId::Timer7}) {
    if (platform.IsEnabled(timer)) return true;
  }
  return false;
}

TEST_F(CycleTest, ShowPanelManaulDuringASlideDownJumpsToTheTopAndTime3activeReleasesIt) {
  StartWithInterval(0, 1);
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer2, 5));
  ASSERT_EQ(window_.Top(), -90);

  cycle_.ShowPanelManaul();
  EXPECT_EQ(window_.Top(), 0);
  EXPECT_FALSE(AnyTimerEnabled(platform_));
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u" 00:01");
  EXPECT_EQ(renderer_.Drawn().back().alarm_level, 2);

  platform_.RunFor(20 * kMinute);  // frozen: the settings dialog is open
  EXPECT_EQ(window_.Top(), 0);
  EXPECT_EQ(cycle_.UseMinutes(), 1);

  platform_.ClearEvents();
  cycle_.Time3active();
  platform_.RunFor(kSecond);
  EXPECT_EQ(platform_.EventsOf(PlatformEvent::Kind::Move).size(), 14u);
  EXPECT_EQ(window_.Top(), -140);
  EXPECT_TRUE(platform_.SoundsPlayed().empty());
  EXPECT_EQ(cycle_.AlarmMinute(), 31);

  platform_.RunFor(31 * kMinute);
  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 3u);  // the first, the manual show, the next one
  EXPECT_EQ(reminders[2].use_time_text, u" 00:31");
  EXPECT_EQ(reminders[2].alarm_level, 3);
}

TEST_F(CycleTest, ShowPanelManaulThenUpdateStartsOverWithTheIntervalReadAnew) {
  StartWithInterval(0, 20);
  platform_.RunFor(7 * kMinute);
  cycle_.ShowPanelManaul();
  EXPECT_EQ(window_.Top(), 0);
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u" 00:07");
  EXPECT_EQ(renderer_.Drawn().back().alarm_level, 1);

  SetInterval(0, 3);
  cycle_.Update(true);
  EXPECT_EQ(cycle_.UseMinutes(), 0);
  EXPECT_EQ(cycle_.AlarmMinute(), 3);
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u"00:00");

  platform_.RunFor(kSecond);
  EXPECT_EQ(window_.Top(), -140);
  platform_.RunFor(3 * kMinute);
  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 2u);
  EXPECT_EQ(reminders[1].use_time_text, u" 00:03");
  EXPECT_EQ(reminders[1].alarm_level, 2);
}

TEST_F(CycleTest, ShowPanelManaulAtTheAlarmMinuteRaisesTheLevelButNotTheAlarm) {
  StartWithInterval(0, 0);
  cycle_.ShowPanelManaul();
  EXPECT_EQ(cycle_.AlarmLevel(), 2);
  EXPECT_EQ(cycle_.AlarmMinute(), 0);
  EXPECT_EQ(renderer_.Drawn().back().use_time_text, u" 00:00");
}

TEST_F(CycleTest, ReleaseOfAPanelAlreadyOutOfViewStopsAtOnce) {
  StartWithInterval(0, 30);
  platform_.ClearEvents();
  cycle_.Time3active();
  platform_.RunFor(kSecond);
  cycle_.Update(true);
  platform_.RunFor(kSecond);

  EXPECT_EQ(window_.Top(), -140);
  EXPECT_TRUE(platform_.EventsOf(PlatformEvent::Kind::Move).empty());
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer4));
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
}

}  // namespace
}  // namespace quorbel::testing
