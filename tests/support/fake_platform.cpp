#include "tests/support/fake_platform.h"

#include <algorithm>

namespace quorbel::testing {

void FakePlatform::RunFor(uint64_t milliseconds) {
  RunUntil([] { return false; }, milliseconds);
}

bool FakePlatform::RunUntil(const std::function<bool()>& done, uint64_t limit) {
  const uint64_t end = now_ + limit;
  while (const auto timer = NextDue(end)) {
    now_ = std::max(now_, At(*timer).due);
    Deliver(*timer);
    if (done()) return true;
  }
  now_ = std::max(now_, end);
  return false;
}

std::optional<TimerId> FakePlatform::NextDue(uint64_t limit) const {
  std::optional<TimerId> next;
  for (size_t i = 0; i < timers_.size(); ++i) {
    const FakeTimer& timer = timers_[i];
    if (!timer.enabled || timer.due > limit) continue;
    if (!next || timer.due < At(*next).due) next = static_cast<TimerId>(i);
  }
  return next;
}

void FakePlatform::Deliver(TimerId id) {
  FakeTimer& timer = At(id);
  // Ticks that fell due while the thread was blocked arrive as one; the next
  // comes a full period after this delivery.
  timer.due = now_ + PeriodOf(timer);
  ++timer.ticks;
  if (id != TimerId::Timer5) events_.push_back({now_, PlatformEvent::Kind::Tick, id, 0});
  if (handler_) handler_(id);
}

uint64_t FakePlatform::PeriodOf(const FakeTimer& timer) const {
  return std::max<uint64_t>(timer.interval, kShortestPeriod);
}

void FakePlatform::SetInterval(TimerId id, uint32_t milliseconds) {
  FakeTimer& timer = At(id);
  timer.interval = milliseconds;
  if (timer.enabled) timer.due = now_ + PeriodOf(timer);
}

void FakePlatform::SetEnabled(TimerId id, bool enabled) {
  FakeTimer& timer = At(id);
  if (enabled && !timer.enabled) timer.due = now_ + PeriodOf(timer);
  timer.enabled = enabled;
}

bool FakePlatform::IsEnabled(TimerId id) const { return At(id).enabled; }
uint32_t FakePlatform::Interval(TimerId id) const { return At(id).interval; }
int FakePlatform::Ticks(TimerId id) const { return At(id).ticks; }

std::optional<uint32_t> FakePlatform::LastInputTick() {
  if (fail_last_input_) return std::nullopt;
  return on_break_ ? break_start_tick_ : TickCount() - static_cast<uint32_t>(input_lag_);
}

uint32_t FakePlatform::TickCount() { return static_cast<uint32_t>(now_) + tick_offset_; }

void FakePlatform::TakeBreak() {
  if (on_break_) return;
  on_break_ = true;
  break_start_tick_ = TickCount();
}

void FakePlatform::SetTickCountNow(uint32_t tick) {
  const uint32_t break_age = TickCount() - break_start_tick_;
  tick_offset_ = tick - static_cast<uint32_t>(now_);
  break_start_tick_ = TickCount() - break_age;
}

void FakePlatform::SuspendMachine(uint64_t milliseconds, TimerId first_on_wake) {
  TakeBreak();
  now_ += milliseconds;
  for (FakeTimer& timer : timers_) timer.due = std::min(timer.due, now_);
  if (At(first_on_wake).enabled) Deliver(first_on_wake);
}

void FakePlatform::PlaySoundSync(const Text& path) {
  sounds_.push_back(path);
  Log(PlatformEvent::Kind::Sound, static_cast<int32_t>(sound_length_));
  now_ += sound_length_;
}

void FakePlatform::Sleep(uint32_t milliseconds) {
  Log(PlatformEvent::Kind::Sleep, static_cast<int32_t>(milliseconds));
  now_ += milliseconds;
}

void FakePlatform::Log(PlatformEvent::Kind kind, int32_t value) {
  events_.push_back({now_, kind, TimerId::Timer1, value});
}

std::vector<PlatformEvent> FakePlatform::EventsOf(PlatformEvent::Kind kind) const {
  std::vector<PlatformEvent> found;
  std::copy_if(events_.begin(), events_.end(), std::back_inserter(found),
               [kind](const PlatformEvent& event) { return event.kind == kind; });
  return found;
}

std::vector<uint64_t> FakePlatform::TickTimes(TimerId timer) const {
  std::vector<uint64_t> times;
  for (const PlatformEvent& event : events_) {
    if (event.kind == PlatformEvent::Kind::Tick && event.timer == timer) times.push_back(event.time);
  }
  return times;
}

void FakePanelWindow::SetTop(int32_t top) {
  top_ = top;
  platform_.Log(PlatformEvent::Kind::Move, top);
}

void RecordingRenderer::DrawPanel(const PanelModel& model) {
  drawn_.push_back(model);
  platform_.Log(PlatformEvent::Kind::Draw, model.alarm_level);
}

void RecordingRenderer::Stow() { platform_.Log(PlatformEvent::Kind::Stow, 0); }

void RecordingRenderer::PresentPanel(int32_t logo_top) {
  presented_.push_back(logo_top);
  platform_.Log(PlatformEvent::Kind::Present, logo_top);
}

}  // namespace quorbel::testing
