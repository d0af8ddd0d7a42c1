#include "app/timer_table.h"

#include <utility>

#include "app/host_timing.h"

namespace quorbel {

TimerTable::TimerTable(NativeTimers& native, std::function<void(TimerId)> on_tick, Routing routing)
    : native_(native), on_tick_(std::move(on_tick)), routing_(routing) {}

void TimerTable::Arm(TimerId timer) {
  const TimerState& state = At(timer);
  // An interval of 0 keeps a timer from ticking, as an unset interval does.
  const uint32_t period = HostTimerPeriod(state.interval, routing_.shortest_period_ms);
  if (state.enabled && period > 0) {
    native_.StartNative(timer, period);
  } else {
    native_.StopNative(timer);
  }
}

void TimerTable::SetInterval(TimerId timer, uint32_t milliseconds) {
  if (RoutedToIdle(timer)) return;  // the idle source keeps its own times
  TimerState& state = At(timer);
  if (state.interval == milliseconds) return;
  state.interval = milliseconds;
  Arm(timer);
}

void TimerTable::SetEnabled(TimerId timer, bool enabled) {
  if (RoutedToIdle(timer)) return routing_.idle->SetEnabled(enabled);
  TimerState& state = At(timer);
  // Enabling a running timer keeps its phase; enabling a stopped one starts
  // a full interval.
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  Arm(timer);
}

bool TimerTable::IsEnabled(TimerId timer) const {
  return RoutedToIdle(timer) ? routing_.idle->IsEnabled() : At(timer).enabled;
}

void TimerTable::StopAll() {
  for (const TimerId timer : kAllTimers) SetEnabled(timer, false);
}

void TimerTable::OnNativeTick(TimerId timer) {
  if (!IsEnabled(timer) || RoutedToIdle(timer)) return;
  on_tick_(timer);
}

}  // namespace quorbel
