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

// What the input polls find out: a break long enough to count, or the user
// back after one.
struct Finding {
  uint64_t time = 0;
  bool user_back = false;
};

std::vector<Finding> FindingsOf(const std::vector<Pause>& pauses, uint64_t poll_period) {
  std::vector<Finding> findings;
  for (const Pause& pause : pauses) {
    const uint64_t due = pause.start + kBreakNoticedAfter;
    const uint64_t noticed = (due + poll_period - 1) / poll_period * poll_period;
    if (noticed > pause.end) continue;  // the user came back before any poll saw it
    findings.push_back({noticed, false});
    findings.push_back({pause.end / poll_period * poll_period + poll_period, true});
  }
  return findings;
}

class Model {
 public:
  Model(int32_t interval_minutes, const ReferenceTiming& timing)
      : interval_(interval_minutes), timing_(timing), alarm_(interval_minutes) {
    draws_.push_back({0, u"00:00", 1});
  }

  std::vector<PanelDraw> Run(const std::vector<Finding>& findings, uint64_t until) {
    size_t next = 0;
    for (;;) {
      const uint64_t finding_time = next < findings.size() ? findings[next].time : kNever;
      const uint64_t now = std::min({minute_due_, panel_back_, finding_time});
      if (now > until) break;
      // At the same moment the minute counts first, then the panel settles,
      // then the input is looked at.
      if (now == minute_due_) {
        CountMinute(now);
      } else if (now == panel_back_) {
        PanelBack(now);
      } else {
        Found(findings[next++]);
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

  bool SlidingDown(uint64_t now) const {
    return panel_back_ != kNever && now < panel_out_since_ + timing_.SlideDown();
  }

  void PanelBack(uint64_t now) {
    panel_back_ = kNever;
    // A count that resumed with the user's return keeps its minute.
    if (!away_ && minute_due_ == kNever) minute_due_ = now + kMinute;
  }

  void Found(const Finding& finding) {
    if (finding.user_back) {
      away_ = false;
      if (!SlidingDown(finding.time)) minute_due_ = finding.time + kMinute;
      return;
    }
    used_ = 0;
    level_ = 1;
    alarm_ = interval_;
    away_ = true;
    minute_due_ = kNever;
    draws_.push_back({finding.time, u"0", 1});
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
  return Model(interval_minutes, timing).Run(FindingsOf(pauses, timing.poll_period), until);
}

}  // namespace quorbel::testing
