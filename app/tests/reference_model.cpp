#include "app/tests/reference_model.h"

#include <algorithm>
#include <limits>
#include <string>

namespace quorbel::testing {
namespace {

constexpr uint64_t kMinute = 60000;
// "More than 120 whole seconds": the first moment at which that holds.
constexpr uint64_t kBreakNoticedAfter = 121000;
constexpr uint64_t kNever = std::numeric_limits<uint64_t>::max();

// A pause long enough for a poll to see more than 120 whole seconds
// without input, unless that poll is held up past the user's return.
struct LongPause {
  uint64_t noticed = 0;  // the first poll that may see it
  uint64_t end = 0;
  uint64_t back = 0;     // the first poll after the user's return
};

std::vector<LongPause> LongPausesOf(const std::vector<Pause>& pauses, uint64_t poll_period) {
  std::vector<LongPause> found;
  for (const Pause& pause : pauses) {
    const uint64_t due = pause.start + kBreakNoticedAfter;
    const uint64_t noticed = (due + poll_period - 1) / poll_period * poll_period;
    if (noticed > pause.end) continue;  // the user came back before any poll saw it
    found.push_back({noticed, pause.end, pause.end / poll_period * poll_period + poll_period});
  }
  return found;
}

class Model {
 public:
  Model(int32_t interval_minutes, const ReferenceTiming& timing)
      : interval_(interval_minutes), timing_(timing), alarm_(interval_minutes) {
    draws_.push_back({0, u"00:00", 1});
  }

  std::vector<PanelDraw> Run(const std::vector<LongPause>& pauses, uint64_t until) {
    size_t next = 0;
    for (;;) {
      const uint64_t poll = next < pauses.size() ? PollOf(pauses[next]) : kNever;
      const uint64_t now = std::min({minute_due_, panel_back_, poll});
      if (now > until) break;
      // At the same moment the minute counts first, then the panel settles,
      // then the input is looked at.
      if (now == minute_due_) {
        CountMinute(now);
      } else if (now == panel_back_) {
        PanelBack(now);
      } else if (Polled(pauses[next], now)) {
        ++next;
      }
    }
    return std::move(draws_);
  }

 private:
  void CountMinute(uint64_t now) {
    ++used_;
    if (used_ != alarm_) {
      minute_due_ += kMinute;
      return;
    }
    const bool first = level_ == 1;
    level_ = first ? 2 : 3;
    alarm_ += first ? 30 : 20;
    draws_.push_back({now, ReferenceUseTimeText(used_), level_});
    minute_due_ = kNever;
    panel_out_since_ = now;
    panel_back_ = now + timing_.PanelOut();
  }

  // A poll that falls due while the arrival sound plays runs when it ends.
  uint64_t Delivered(uint64_t due) const {
    if (panel_back_ == kNever) return due;
    const uint64_t sound_start = panel_out_since_ + timing_.SlideDown();
    const uint64_t sound_end = sound_start + timing_.arrival_sound;
    return due >= sound_start && due <= sound_end ? sound_end : due;
  }

  uint64_t PollOf(const LongPause& pause) const {
    return Delivered(away_ ? pause.back : pause.noticed);
  }

  // The poll that notices the pause, or the one that sees the user back;
  // true when the pause is done with.
  bool Polled(const LongPause& pause, uint64_t now) {
    if (away_) {
      UserBack(now);
      return true;
    }
    if (now > pause.end) return true;  // held up until the user was back
    ResetForBreak(now);
    return false;
  }

  bool SlidingDown(uint64_t now) const {
    return panel_back_ != kNever && now < panel_out_since_ + timing_.SlideDown();
  }

  void PanelBack(uint64_t now) {
    panel_back_ = kNever;
    // A count that resumed with the user's return keeps its minute.
    if (!away_ && minute_due_ == kNever) minute_due_ = now + kMinute;
  }

  void UserBack(uint64_t now) {
    away_ = false;
    if (!SlidingDown(now)) minute_due_ = now + kMinute;
  }

  void ResetForBreak(uint64_t now) {
    used_ = 0;
    level_ = 1;
    alarm_ = interval_;
    away_ = true;
    minute_due_ = kNever;
    draws_.push_back({now, u"0", 1});
  }

  const int32_t interval_;
  const ReferenceTiming timing_;
  int32_t used_ = 0;
  int32_t alarm_;
  int16_t level_ = 1;
  bool away_ = false;
  uint64_t minute_due_ = kMinute;
  uint64_t panel_out_since_ = 0;
  uint64_t panel_back_ = kNever;
  std::vector<PanelDraw> draws_;
};

Text TwoDigits(int32_t value) {
  const std::string digits = (value < 10 ? "0" : "") + std::to_string(value);
  return Text(digits.begin(), digits.end());
}

}  // namespace

Text ReferenceUseTimeText(int32_t minutes) {
  return u" " + TwoDigits(minutes / 60) + u":" + TwoDigits(minutes % 60);
}

std::vector<PanelDraw> PredictPanelDraws(int32_t interval_minutes, const std::vector<Pause>& pauses,
                                         uint64_t until, const ReferenceTiming& timing) {
  return Model(interval_minutes, timing).Run(LongPausesOf(pauses, timing.poll_period), until);
}

}  // namespace quorbel::testing
