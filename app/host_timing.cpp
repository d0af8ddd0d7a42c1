#include "app/host_timing.h"

#include <algorithm>
#include <cmath>

namespace quorbel {

uint32_t FrameIntervalMs(double refresh_hz) {
  if (!std::isfinite(refresh_hz) || refresh_hz < 1.0) return kDefaultFrameMs;
  return std::max(kShortestFrameMs, static_cast<uint32_t>(1000.0 / refresh_hz));
}

uint32_t HostTimerPeriod(uint32_t requested_ms, uint32_t frame_ms) {
  if (requested_ms == 0) return 0;
  return std::max(requested_ms, frame_ms);
}

uint32_t IdleSchedule::Enable(uint32_t now, uint32_t frame_ms) {
  if (!enabled_) poll_pending_ = true;
  enabled_ = true;
  // The poll follows the enabling about a frame later, as a fast timer's
  // first tick would, unless the source was read less than a second ago.
  if (!read_at_) return frame_ms;
  const uint32_t age = now - *read_at_;
  return age >= kMinReadGapMs ? frame_ms : std::max(frame_ms, kMinReadGapMs - age);
}

bool IdleSchedule::Record(uint32_t now, std::optional<uint32_t> idle_ms) {
  read_at_ = now;
  if (!idle_ms) {
    last_input_.reset();
    return false;
  }
  last_input_ = now - *idle_ms;
  const bool break_begins = IsBreak(*idle_ms) && !known_break_;
  known_break_ = IsBreak(*idle_ms);
  if (break_begins) delivered_break_ = true;
  return break_begins;
}

IdleSchedule::Reading IdleSchedule::OnTimedReading(uint32_t now, std::optional<uint32_t> idle_ms) {
  Reading reading;
  reading.break_begins = Record(now, idle_ms);
  if (!idle_ms) return reading;
  const bool on_break = IsBreak(*idle_ms);
  if (enabled_ && (poll_pending_ || on_break != delivered_break_ || reading.break_begins)) {
    reading.deliver_poll = true;
    poll_pending_ = false;
    delivered_break_ = on_break;
  }
  // While the user works, the idle time cannot pass the limit before this
  // much more time has gone by; any input meanwhile only pushes it later.
  if (!on_break) reading.next_read_ms = std::max(kMinReadGapMs, kBreakIdleMs - *idle_ms);
  return reading;
}

void IdleSchedule::Restart() {
  poll_pending_ = true;
  delivered_break_ = false;
  known_break_ = false;
  read_at_.reset();
  last_input_.reset();
}

bool IdleSchedule::NeedsReading(uint32_t now) const {
  return !read_at_ || now - *read_at_ >= kMinReadGapMs;
}

std::optional<uint32_t> IdleSchedule::LastInputTick() const { return last_input_; }

void IdlePollSource::SetEnabled(bool enabled) {
  if (enabled == schedule_.Enabled()) return;
  if (!enabled) {
    schedule_.Disable();
    wake_.Cancel();
    return;
  }
  wake_.WakeAfter(schedule_.Enable(probe_.Now(), frame_ms_));
}

void IdlePollSource::OnWake() {
  if (schedule_.Enabled()) Read(false);
}

void IdlePollSource::OnIdleChanged() {
  if (schedule_.Enabled()) return Read(true);
  if (schedule_.Record(probe_.Now(), Sample(true))) OnBreakBegins();
}

void IdlePollSource::OnSourceReplaced() {
  schedule_.Restart();
  if (schedule_.Enabled()) wake_.WakeAfter(frame_ms_);
}

std::optional<uint32_t> IdlePollSource::Sample(bool reported_change) {
  const std::optional<uint32_t> reported = probe_.IdleMs();
  // A source that only says when the user went and came back reads as "at
  // work" in between; only its own word shows the return.
  const bool trust_return = reported_change || !probe_.ReportsChanges();
  return sleep_away_.IdleMs(probe_.Now(), reported, probe_.SleptMs(), trust_return);
}

void IdlePollSource::Read(bool reported_change) {
  const std::optional<uint32_t> idle_ms = Sample(reported_change);
  const IdleSchedule::Reading reading = schedule_.OnTimedReading(probe_.Now(), idle_ms);
  // A source that reports its changes is read again only when it does, or
  // when the minute tick asks; a failed query is tried again a second later.
  if (probe_.ReportsChanges() && idle_ms) {
    wake_.Cancel();
  } else {
    wake_.WakeAfter(reading.next_read_ms);
  }
  if (reading.break_begins) OnBreakBegins();
  if (reading.deliver_poll && deliver_poll_) deliver_poll_();
}

void IdlePollSource::OnBreakBegins() {
  if (probe_.ReportsChanges()) return probe_.WatchForReturn();
  // The cycle now waits for the user: see the return within a second.
  if (schedule_.Enabled()) wake_.WakeAfter(IdleSchedule::kMinReadGapMs);
}

std::optional<uint32_t> IdlePollSource::LastInputTick() {
  const uint32_t now = probe_.Now();
  if (schedule_.NeedsReading(now) && schedule_.Record(now, Sample(false))) OnBreakBegins();
  return schedule_.LastInputTick();
}

}  // namespace quorbel
