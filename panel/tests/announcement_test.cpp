#include <gtest/gtest.h>

#include "panel/panel_announcement.h"

namespace quorbel {
namespace {

PanelModel ConfigIniModel(int16_t level) {
  PanelModel model;
  model.texts.title = u"Time for a short break";
  model.texts.use_times = u"Working without a break:";
  model.texts.level = u"Risk level:";
  model.texts.risk = u"Health risk:";
  model.texts.risk_dec = {u"None yet", u"Tired eyes", u"Eye strain"};
  model.texts.advice = u"Advice:";
  model.texts.advice_dec = {u"Keep going.", u"Stand up!", u"Step away"};
  model.use_time_text = u" 01:00";
  model.alarm_level = level;
  return model;
}

TEST(ReminderAnnouncement, SaysTheTitleTheTimeAndTheLinesOfTheLevel) {
  EXPECT_EQ(ReminderAnnouncement(ConfigIniModel(2)),
            u"Time for a short break. Working without a break: 01:00. Health risk: Tired eyes. "
            u"Advice: Stand up!");
  EXPECT_EQ(ReminderAnnouncement(ConfigIniModel(3)),
            u"Time for a short break. Working without a break: 01:00. Health risk: Eye strain. "
            u"Advice: Step away.");
  EXPECT_EQ(ReminderAnnouncement(ConfigIniModel(1)),
            u"Time for a short break. Working without a break: 01:00. Health risk: None yet. "
            u"Advice: Keep going.");
}

TEST(ReminderAnnouncement, KeepsTheLanguagesOwnSeparatorsAndLeavesOutWhatIsEmpty) {
  PanelModel model = ConfigIniModel(2);
  model.texts.title = u"Zeit f\u00fcr eine Pause";
  model.texts.use_times = u"";
  model.texts.risk = u"Risque :";
  model.texts.risk_dec[1] = u"";
  model.texts.advice = u"";
  model.texts.advice_dec[1] = u"  \u00c9tirez-vous\u2026 ";
  EXPECT_EQ(ReminderAnnouncement(model), u"Zeit f\u00fcr eine Pause. 01:00. \u00c9tirez-vous\u2026");

  model = ConfigIniModel(2);
  model.texts = PanelTexts{};
  model.use_time_text = u"";
  EXPECT_EQ(ReminderAnnouncement(model), u"");
}

TEST(ReminderAnnouncement, ALevelOutsideTheThreeSaysNoRiskOrAdvice) {
  for (const int16_t level : {int16_t{0}, int16_t{4}, int16_t{-1}}) {
    EXPECT_EQ(ReminderAnnouncement(ConfigIniModel(level)),
              u"Time for a short break. Working without a break: 01:00.")
        << level;
  }
}

}  // namespace
}  // namespace quorbel
