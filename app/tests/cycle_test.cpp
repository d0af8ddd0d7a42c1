#include <algorithm>

#include "app/tests/cycle_fixture.h"

namespace quorbel::testing {
namespace {

using Kind = PlatformEvent::Kind;

std::vector<int32_t> MovesOf(const FakePlatform& platform) {
  std::vector<int32_t> tops;
  for (const PlatformEvent& event : platform.EventsOf(Kind::Move)) tops.push_back(event.value);
  return tops;
}

std::vector<int32_t> SlideFrom(int32_t from, int32_t step) {
  std::vector<int32_t> tops;
  for (int i = 1; i <= 14; ++i) tops.push_back(from + step * i);
  return tops;
}

TEST_F(CycleTest, StartGivesEachTimerItsIntervalAndFirstState) {
  SetInterval(0, 45);
  cycle_.Start();

  EXPECT_EQ(platform_.Interval(TimerId::Timer1), 60000u);
  EXPECT_EQ(platform_.Interval(TimerId::Timer2), 1u);
  EXPECT_EQ(platform_.Interval(TimerId::Timer3), 1000u);
  EXPECT_EQ(platform_.Interval(TimerId::Timer4), 1u);
  EXPECT_EQ(platform_.Interval(TimerId::Timer5), 1u);
  EXPECT_EQ(platform_.Interval(TimerId::Timer7), 1u);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer2));
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer3));
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer4));
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer5));
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer7));

  EXPECT_EQ(cycle_.IntervalMinutes(), 45);
  EXPECT_EQ(cycle_.AlarmMinute(), 45);
  EXPECT_EQ(cycle_.AlarmLevel(), 1);
  EXPECT_EQ(cycle_.UseTimeText(), u"00:00");
  EXPECT_EQ(cycle_.LogoTop(), 74);
  ASSERT_EQ(renderer_.Drawn().size(), 1u);
  EXPECT_EQ(renderer_.Drawn()[0].use_time_text, u"00:00");
  EXPECT_EQ(renderer_.Drawn()[0].skin_path, u"C:\\Clock\\skin1.png");
  EXPECT_EQ(renderer_.PresentedLogoTops(), std::vector<int32_t>{74});
}

TEST_F(CycleTest, StartUpRisesFromTheTopInFourteenTicksWhileMinutesCount) {
  SetInterval(0, 45);
  cycle_.Start();
  platform_.RunFor(kSecond);

  EXPECT_EQ(MovesOf(platform_), SlideFrom(0, -10));
  EXPECT_EQ(platform_.Ticks(TimerId::Timer4), 14);
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer4));
  EXPECT_EQ(platform_.Ticks(TimerId::Timer2), 0);
  // The minute count started with the window, not at the end of the rise.
  platform_.RunFor(kMinute - kSecond);
  EXPECT_EQ(platform_.TickTimes(TimerId::Timer1), std::vector<uint64_t>{kMinute});
}

TEST_F(CycleTest, ZeroIntervalNeverReminds) {
  StartWithInterval(0, 0);
  platform_.RunFor(6 * kHour);

  EXPECT_EQ(cycle_.UseMinutes(), 360);
  EXPECT_TRUE(ReminderDraws().empty());
  EXPECT_EQ(platform_.Ticks(TimerId::Timer2), 0);
  EXPECT_EQ(window_.Top(), -140);
}

TEST_F(CycleTest, OneMinuteIntervalRemindsAfterOneThirtyOneFiftyOneAndSeventyOneMinutes) {
  StartWithInterval(0, 1);
  platform_.RunFor(75 * kMinute);

  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 4u);
  const std::pair<const char16_t*, int16_t> expected[] = {
      {u" 00:01", 2}, {u" 00:31", 3}, {u" 00:51", 3}, {u" 01:11", 3}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(reminders[i].use_time_text, expected[i].first) << i;
    EXPECT_EQ(reminders[i].alarm_level, expected[i].second) << i;
    EXPECT_EQ(reminders[i].texts.risk_dec[2], u"Carpal tunnel syndrome, Nearsightedness");
  }
  EXPECT_EQ(cycle_.AlarmMinute(), 91);
  EXPECT_EQ(platform_.Ticks(TimerId::Timer2), 4 * 14);
  EXPECT_EQ(platform_.SoundsPlayed().size(), 4u);
}

TEST_F(CycleTest, OneReminderSlidesDownHoldsWhileTheLogoShakesAndSlidesUp) {
  StartWithInterval(0, 1);
  platform_.ClearEvents();
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer4, 28));  // start-up's rise plus this one

  const auto slide_down = platform_.TickTimes(TimerId::Timer2);
  const auto hold = platform_.TickTimes(TimerId::Timer3);
  const auto slide_up = platform_.TickTimes(TimerId::Timer4);
  ASSERT_EQ(slide_down.size(), 14u);
  ASSERT_EQ(hold.size(), 10u);
  ASSERT_EQ(slide_up.size(), 14u);
  EXPECT_EQ(slide_down.front(), kMinute + 10);
  const uint64_t arrival = slide_down.back();
  for (size_t i = 0; i < hold.size(); ++i) EXPECT_EQ(hold[i], arrival + (i + 1) * kSecond) << i;
  EXPECT_EQ(slide_up.front(), hold.back() + 10);

  std::vector<int32_t> expected_moves = SlideFrom(-140, 10);
  const std::vector<int32_t> up = SlideFrom(0, -10);
  expected_moves.insert(expected_moves.end(), up.begin(), up.end());
  EXPECT_EQ(MovesOf(platform_), expected_moves);

  const auto sounds = platform_.EventsOf(Kind::Sound);
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].time, arrival);
  EXPECT_EQ(platform_.SoundsPlayed(), std::vector<Text>{kLoadWav});

  // Out of view, the panel's pixels are let go until it is drawn anew.
  const auto stows = platform_.EventsOf(Kind::Stow);
  ASSERT_EQ(stows.size(), 1u);
  EXPECT_EQ(stows[0].time, slide_up.back());

  // Counting stops from the first slide-down tick and resumes a full minute
  // after the panel is back out of view.
  platform_.RunFor(kMinute);
  EXPECT_EQ(platform_.TickTimes(TimerId::Timer1),
            (std::vector<uint64_t>{kMinute, slide_up.back() + kMinute}));
  EXPECT_EQ(cycle_.HoldTicks(), 0);
}

TEST_F(CycleTest, LogoAlternatesBetweenTwoPositionsFromTheFirstToTheTenthHoldTick) {
  StartWithInterval(0, 1);
  platform_.ClearEvents();
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer4, 15));

  int hold_ticks = 0;
  int32_t next_logo = 0;
  int shakes = 0;
  for (const PlatformEvent& event : platform_.Events()) {
    if (event.kind == Kind::Tick && event.timer == TimerId::Timer3) {
      ++hold_ticks;
      next_logo = 77;  // each of the first nine ticks puts the logo back at 74
    } else if (event.kind == Kind::Present && hold_ticks > 0) {
      ASSERT_LT(hold_ticks, 10) << "the shake stops at the tenth hold tick";
      EXPECT_EQ(event.value, next_logo);
      next_logo = next_logo == 77 ? 74 : 77;
      ++shakes;
    }
  }
  EXPECT_EQ(hold_ticks, 10);
  EXPECT_GT(shakes, 800);  // about every 10 ms for nine seconds
  EXPECT_EQ(platform_.EventsOf(Kind::Sleep).size(), static_cast<size_t>(shakes));
  EXPECT_EQ(platform_.EventsOf(Kind::Sleep)[0].value, 8);
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer7));
}

TEST_F(CycleTest, LongArrivalSoundDeliversTheDueHoldTicksAsOne) {
  platform_.SetSoundLength(3500);
  StartWithInterval(0, 1);
  platform_.ClearEvents();
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer4, 15));

  const uint64_t arrival = platform_.EventsOf(Kind::Sound).at(0).time;
  const auto hold = platform_.TickTimes(TimerId::Timer3);
  ASSERT_EQ(hold.size(), 10u);
  for (size_t i = 0; i < hold.size(); ++i) EXPECT_EQ(hold[i], arrival + 3500 + i * kSecond) << i;
}

TEST_F(CycleTest, ReminderDueWhileThePanelIsNotHiddenOnlyRefreshesTheImage) {
  StartWithInterval(0, 1);
  window_.PlaceAt(-70);
  platform_.RunFor(kMinute);

  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 1u);
  EXPECT_EQ(reminders[0].alarm_level, 2);
  EXPECT_EQ(platform_.Ticks(TimerId::Timer2), 0);
  EXPECT_EQ(window_.Top(), -70);
  EXPECT_EQ(cycle_.AlarmMinute(), 31);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
}

TEST_F(CycleTest, PanelWhoseHeightIsNoMultipleOfTheStepStopsAtBothEnds) {
  window_.SetHeight(135);
  window_.PlaceAt(0);
  StartWithInterval(0, 1);
  ASSERT_EQ(window_.Top(), -135);
  ASSERT_TRUE(RunUntilTicks(TimerId::Timer3, 1, 2 * kMinute));
  EXPECT_EQ(window_.Top(), 0);
  EXPECT_EQ(platform_.SoundsPlayed().size(), 1u) << "the panel arrived";
  platform_.RunFor(12 * kSecond);
  EXPECT_EQ(window_.Top(), -135);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
}

}  // namespace
}  // namespace quorbel::testing
