#pragma once
// The cycle's timers as the program keeps them over a platform's native
// timers: each timer's interval and enabled state, the period a native timer
// really gets, and the idle poll routed to the idle source where there is one.
#include <array>
#include <cstdint>
#include <functional>

#include "app/ports.h"

namespace quorbel {

class IdlePollSource;

// The platform's own repeating timers, one for each TimerId.
class NativeTimers {
 public:
  virtual ~NativeTimers() = default;
  // (Re)starts `timer`: its first tick comes a full `period_ms` from now.
  virtual void StartNative(TimerId timer, uint32_t period_ms) = 0;
  virtual void StopNative(TimerId timer) = 0;
};

class TimerTable : public TimerHost {
 public:
  struct Routing {
    // Intervals shorter than this run at it (a display frame on Linux); 0
    // gives every timer its interval itself.
    uint32_t shortest_period_ms = 0;
    // Where Timer5's enabling goes instead of a native timer; none: Timer5
    // is a native timer like the others.
    IdlePollSource* idle = nullptr;
  };

  // Each tick of an enabled timer goes to `on_tick`.
  TimerTable(NativeTimers& native, std::function<void(TimerId)> on_tick, Routing routing);

  void SetInterval(TimerId timer, uint32_t milliseconds) override;
  void SetEnabled(TimerId timer, bool enabled) override;
  bool IsEnabled(TimerId timer) const override;
  void StopAll();

  // A native timer ticked. A tick queued before its timer was disabled is
  // dropped.
  void OnNativeTick(TimerId timer);

 private:
  struct TimerState {
    uint32_t interval = 0;
    bool enabled = false;
  };
  bool RoutedToIdle(TimerId timer) const { return routing_.idle && timer == TimerId::Timer5; }
  TimerState& At(TimerId timer) { return timers_[static_cast<size_t>(timer)]; }
  const TimerState& At(TimerId timer) const { return timers_[static_cast<size_t>(timer)]; }
  void Arm(TimerId timer);

  NativeTimers& native_;
  std::function<void(TimerId)> on_tick_;
  Routing routing_;
  std::array<TimerState, kTimerCount> timers_{};
};

}  // namespace quorbel
