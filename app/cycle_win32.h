#pragma once
// The reminder cycle's ports on the real window system: message timers of
// the panel window, the input clock, sound and pauses.
#include <cstdint>
#include <functional>
#include <optional>

#include "app/ports.h"
#include "app/timer_table.h"

namespace quorbel {

class Win32CyclePorts : public NativeTimers, public InputClock, public ThreadBlocker {
 public:
  // `window` is the panel window's handle (an HWND); each tick of an enabled
  // timer goes to `on_tick`.
  Win32CyclePorts(void* window, std::function<void(TimerId)> on_tick);
  ~Win32CyclePorts() override;

  TimerTable& Timers() { return timers_; }
  // A WM_TIMER with this identifier arrived.
  void OnTimerMessage(uintptr_t identifier);

  void StartNative(TimerId timer, uint32_t period_ms) override;
  void StopNative(TimerId timer) override;

  std::optional<uint32_t> LastInputTick() override;
  uint32_t TickCount() override;

  void PlaySoundSync(const Text& path) override;
  void Sleep(uint32_t milliseconds) override;

 private:
  void* window_;
  TimerTable timers_;
};

}  // namespace quorbel
