#pragma once
// What a screen reader says when a reminder comes down: the panel's own
// words, in its language, as one text.
#include "common/text.h"
#include "panel/panel_model.h"

namespace quorbel {

// The title, the time worked, and the risk and advice lines of the model's
// level, each after its heading, as sentences: "Time for a short break.
// Working without a break: 01:00. Health risk: Tired eyes. Advice: Stand up."
// A part whose line is empty is left out; a level outside 1 ... 3 says no risk or advice.
Text ReminderAnnouncement(const PanelModel& model);

}  // namespace quorbel
