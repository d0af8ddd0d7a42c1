#pragma once
// The reminder cycle's ports on the real window system: message timers of
// the panel window, its position, the input clock, sound and pauses.
#include <array>
#include <cstdint>
#include <optional>

#include "app/ports.h"

namespace quorbel {

class Win32CyclePorts : public TimerHost, public PanelWindow, public InputClock, public ThreadBlocker {
 public:
  // `window` is the panel window's handle (an HWND).
  explicit Win32CyclePorts(void* window) : window_(window) {}
  ~Win32CyclePorts() override;

  // The TimerId of a WM_TIMER's identifier, if it is one of the cycle's and
  // still enabled (a tick queued before a stop is dropped).
  std::optional<TimerId> TimerForMessage(uintptr_t identifier) const;
  void StopAllTimers();

  void SetInterval(TimerId timer, uint32_t milliseconds) override;
  void SetEnabled(TimerId timer, bool enabled) override;
  bool IsEnabled(TimerId timer) const override;

  int32_t Top() const override;
  void SetTop(int32_t top) override;
  int32_t Height() const override;

  std::optional<uint32_t> LastInputTick() override;
  uint32_t TickCount() override;

  void PlaySoundSync(const Text& path) override;
  void Sleep(uint32_t milliseconds) override;

 private:
  struct TimerState {
    uint32_t interval = 0;
    bool enabled = false;
  };
  void Arm(TimerId timer);

  void* window_;
  std::array<TimerState, 6> timers_{};
};

}  // namespace quorbel
