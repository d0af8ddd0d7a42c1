#include <optional>
#include <vector>

#include "app/disturb_rules.h"
#include "app/tests/cycle_fixture.h"

namespace quorbel::testing {
namespace {

size_t MovesSince(const FakePlatform& platform, uint64_t since) {
  size_t moves = 0;
  for (const PlatformEvent& event : platform.EventsOf(PlatformEvent::Kind::Move)) {
    if (event.time >= since) ++moves;
  }
  return moves;
}

TEST_F(CycleTest, AReminderHeldThroughAPresentationComesAtItsEndWithThatMomentsUseTime) {
  StartWithInterval(0, 30);
  platform_.RunFor(24 * kMinute + 29 * kSecond);
  EXPECT_EQ(do_not_disturb_.Asks(), 0);  // nothing is due: nothing asked

  const uint64_t presentation_start = platform_.Now();
  do_not_disturb_.SetBusy(true);
  platform_.RunFor(40 * kMinute);
  EXPECT_TRUE(cycle_.IsReminderHeld());
  EXPECT_TRUE(ReminderDraws().empty());
  EXPECT_EQ(MovesSince(platform_, presentation_start), 0u);
  EXPECT_TRUE(platform_.SoundsPlayed().empty());
  // The count went on: minute 30 raised the level, minute 60 raised it again.
  EXPECT_EQ(cycle_.UseMinutes(), 64);
  EXPECT_EQ(cycle_.AlarmLevel(), 3);
  EXPECT_EQ(cycle_.AlarmMinute(), 80);
  EXPECT_EQ(do_not_disturb_.Asks(), 35);  // once a minute from minute 30

  do_not_disturb_.SetBusy(false);
  platform_.RunFor(kMinute);
  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 1u);
  EXPECT_EQ(reminders[0].use_time_text, u" 01:05");
  EXPECT_EQ(reminders[0].alarm_level, 3);
  EXPECT_FALSE(cycle_.IsReminderHeld());

  platform_.RunFor(30 * kSecond);  // down, the chime, the hold, up
  EXPECT_EQ(MovesSince(platform_, presentation_start), 28u);
  EXPECT_EQ(platform_.SoundsPlayed(), std::vector<Text>{kLoadWav});
  EXPECT_EQ(window_.Top(), -140);
  EXPECT_TRUE(platform_.IsEnabled(TimerId::Timer1));
  const int asks_after_show = do_not_disturb_.Asks();
  platform_.RunFor(10 * kMinute);
  EXPECT_EQ(do_not_disturb_.Asks(), asks_after_show);
}

TEST_F(CycleTest, ABreakDuringTheHoldDropsTheReminder) {
  StartWithInterval(0, 10);
  do_not_disturb_.SetBusy(true);
  platform_.RunFor(12 * kMinute);
  ASSERT_TRUE(cycle_.IsReminderHeld());

  platform_.TakeBreak();
  platform_.RunFor(3 * kMinute);
  EXPECT_FALSE(cycle_.IsReminderHeld());
  do_not_disturb_.SetBusy(false);  // the presentation ended while the user was away
  platform_.ReturnFromBreak();
  platform_.RunFor(9 * kMinute + 30 * kSecond);
  EXPECT_TRUE(ReminderDraws().empty());
  EXPECT_TRUE(platform_.SoundsPlayed().empty());

  platform_.RunFor(kMinute);  // ten minutes of use since the break
  const std::vector<PanelModel> reminders = ReminderDraws();
  ASSERT_EQ(reminders.size(), 1u);
  EXPECT_EQ(reminders[0].use_time_text, u" 00:10");
  EXPECT_EQ(reminders[0].alarm_level, 2);
}

TEST_F(CycleTest, SettingDuringTheHoldShowsThePanelAndTheHeldReminderIsDone) {
  StartWithInterval(0, 10);
  do_not_disturb_.SetBusy(true);
  platform_.RunFor(13 * kMinute);
  ASSERT_TRUE(cycle_.IsReminderHeld());

  cycle_.ShowPanelManaul();
  EXPECT_EQ(window_.Top(), 0);
  ASSERT_EQ(ReminderDraws().size(), 1u);
  EXPECT_EQ(ReminderDraws()[0].use_time_text, u" 00:13");
  EXPECT_EQ(ReminderDraws()[0].alarm_level, 2);

  do_not_disturb_.SetBusy(false);
  cycle_.Time3active();
  platform_.RunFor(5 * kMinute);
  EXPECT_EQ(window_.Top(), -140);
  EXPECT_EQ(ReminderDraws().size(), 1u);
  EXPECT_TRUE(platform_.SoundsPlayed().empty());
}

TEST_F(CycleTest, LateAnswersShowTheReminderOnlyWhileItIsStillHeldAndAskedLast) {
  do_not_disturb_.Defer(true);
  StartWithInterval(0, 10);
  platform_.RunFor(10 * kMinute);
  ASSERT_EQ(do_not_disturb_.OpenQuestions(), 1u);
  platform_.RunFor(20 * kSecond);
  EXPECT_TRUE(ReminderDraws().empty());  // nothing shown before the answer

  // A second minute asks again; the first answer is stale by then.
  platform_.RunFor(kMinute);
  ASSERT_EQ(do_not_disturb_.OpenQuestions(), 2u);
  do_not_disturb_.AnswerOldest();
  EXPECT_TRUE(ReminderDraws().empty());
  do_not_disturb_.AnswerOldest();
  ASSERT_EQ(ReminderDraws().size(), 1u);
  EXPECT_EQ(ReminderDraws()[0].use_time_text, u" 00:11");
  platform_.RunFor(30 * kSecond);
  EXPECT_EQ(platform_.SoundsPlayed().size(), 1u);

  // Due again at minute 40 (30 after the first), asked, then Setting: the
  // answer finds the panel frozen and leaves it alone.
  platform_.RunFor(29 * kMinute);
  ASSERT_EQ(do_not_disturb_.OpenQuestions(), 1u);
  cycle_.ShowPanelManaul();
  const size_t draws = renderer_.Drawn().size();
  do_not_disturb_.AnswerOldest();
  EXPECT_EQ(renderer_.Drawn().size(), draws);
  EXPECT_FALSE(platform_.IsEnabled(TimerId::Timer2));

  // After a reload, due at minute 10 again; a break comes before the answer.
  cycle_.Update(true);
  platform_.RunFor(10 * kMinute + 30 * kSecond);
  ASSERT_EQ(do_not_disturb_.OpenQuestions(), 1u);
  platform_.TakeBreak();
  platform_.RunFor(3 * kMinute);
  const size_t draws_after_break = renderer_.Drawn().size();
  do_not_disturb_.AnswerOldest();
  EXPECT_EQ(renderer_.Drawn().size(), draws_after_break);
  EXPECT_EQ(platform_.SoundsPlayed().size(), 1u);
}

TEST(DisturbRules, TheShellStatesThatHoldAReminder) {
  for (const int32_t state : {1, 2, 3, 4, 6}) EXPECT_TRUE(NotificationStateHolds(state)) << state;
  for (const int32_t state : {0, 5, 7, 8, -1}) EXPECT_FALSE(NotificationStateHolds(state)) << state;
}

TEST(DisturbRules, ShowBannersOffHoldsAndAnythingButABooleanIsNoAnswer) {
  EXPECT_EQ(ShowBannersOutputHolds("false\n"), std::optional<bool>(true));
  EXPECT_EQ(ShowBannersOutputHolds("true\n"), std::optional<bool>(false));
  EXPECT_EQ(ShowBannersOutputHolds(""), std::nullopt);
  EXPECT_EQ(ShowBannersOutputHolds("No such schema \xe2\x80\x9corg.gnome.desktop.notifications\xe2\x80\x9d\n"),
            std::nullopt);
  EXPECT_EQ(ShowBannersOutputHolds("falsehood"), std::nullopt);
}

TEST(DisturbRules, AnyBusySourceHoldsAndFailedSourcesHoldNothing) {
  std::vector<bool> verdicts;
  const auto record = [&](bool hold) { verdicts.push_back(hold); };

  DisturbVotes one_busy(3, record);
  one_busy.Add(std::nullopt);
  one_busy.Add(true);
  EXPECT_TRUE(verdicts.empty());  // a source has not answered yet
  one_busy.Add(false);
  one_busy.Add(false);  // too many answers change nothing
  DisturbVotes all_failed(2, record);
  all_failed.Add(std::nullopt);
  all_failed.Add(std::nullopt);
  DisturbVotes none(0, record);
  EXPECT_EQ(verdicts, (std::vector<bool>{true, false, false}));
}

}  // namespace
}  // namespace quorbel::testing
