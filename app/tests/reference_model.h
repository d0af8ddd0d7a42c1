#pragma once
// An independent account of what the reminder panel shows and when, worked
// out from the rules of use and rest and from how the platform's timers
// place things in time (ReferenceTiming), to hold the reminder cycle against
// over long runs:
// - minutes of use are counted a minute at a time from start-up on (while
//   the panel first rises out of view too);
// - more than 120 whole seconds without input is a break: the count, the
//   level and the alarm minute start over, and the panel shows "0" at level 1;
// - no minute is counted while the panel is out for a reminder;
// - after a break the count resumes a full minute after the user is back,
//   or, if the panel is still sliding down then, a minute after it is hidden
//   again (a return while it holds or rises starts that minute there and
//   then, as the return of the user takes precedence over the panel);
// - the first reminder comes at the interval with level 2, the next 30
//   minutes later with level 3, then every 20 minutes with level 3.
#include <cstdint>
#include <vector>

#include "common/text.h"

namespace quorbel::testing {

// A time without any input, from `start` until `end`, in milliseconds since
// start-up.
struct Pause {
  uint64_t start = 0;
  uint64_t end = 0;
};

// One composition of the panel: at start-up, at a reminder or at a break.
struct PanelDraw {
  uint64_t time = 0;
  Text use_time_text;
  int16_t level = 0;
  bool operator==(const PanelDraw&) const = default;
};

// How the platform's timers place things in time.
struct ReferenceTiming {
  // Input is looked at on every multiple of this period after start-up.
  uint64_t poll_period = 10;
  // From a reminder until the panel is back at its hidden place: a slide of
  // 14 steps, a hold of ten seconds, a slide of 14 steps.
  uint64_t slide_steps = 14;
  uint64_t hold = 10000;
  // The arrival sound holds the thread from the end of the slide down: no
  // poll runs until it has finished. Shorter than a second, so the hold
  // keeps its length.
  uint64_t arrival_sound = 0;
  uint64_t SlideDown() const { return slide_steps * poll_period; }
  uint64_t PanelOut() const { return 2 * SlideDown() + hold; }
};

// Every composition of the panel from start-up until `until` (inclusive),
// for an interval of `interval_minutes` and the given pauses (in order, not
// overlapping).
std::vector<PanelDraw> PredictPanelDraws(int32_t interval_minutes, const std::vector<Pause>& pauses,
                                         uint64_t until, const ReferenceTiming& timing = {});

// " HH:MM": the minutes of use as the panel writes them.
Text ReferenceUseTimeText(int32_t minutes);

}  // namespace quorbel::testing
