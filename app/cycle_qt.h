#pragma once
// The reminder cycle's timers on Qt: a QTimer for each timer but the idle
// poll, whose 1 ms periods run at the display's frame interval, and the idle
// poll from the session's idle time. Blocking calls hold the thread as the
// cycle expects: the arrival sound to its end, the shake's pause.
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/host_timing.h"
#include "app/ports.h"
#include "app/session_idle_qt.h"

namespace quorbel {

class CanberraSound;

class QtCyclePorts : public TimerHost, public ThreadBlocker {
 public:
  // Every tick, the idle poll's included, goes to `on_tick`.
  QtCyclePorts(std::function<void(TimerId)> on_tick, CanberraSound& sound);
  ~QtCyclePorts() override;

  InputClock& Input() { return idle_; }
  void StopAllTimers();

  void SetInterval(TimerId timer, uint32_t milliseconds) override;
  void SetEnabled(TimerId timer, bool enabled) override;
  bool IsEnabled(TimerId timer) const override;

  void PlaySoundSync(const Text& path) override;
  void Sleep(uint32_t milliseconds) override;

 private:
  class SingleShot : public WakeTimer {
   public:
    explicit SingleShot(std::function<void()> on_wake);
    void WakeAfter(uint32_t milliseconds) override;
    void Cancel() override { timer_.stop(); }

   private:
    QTimer timer_;
  };
  struct TimerState {
    uint32_t interval = 0;
    bool enabled = false;
    QTimer timer;
  };
  TimerState& At(TimerId timer) { return timers_[static_cast<size_t>(timer)]; }
  const TimerState& At(TimerId timer) const { return timers_[static_cast<size_t>(timer)]; }
  void Arm(TimerState& state);

  std::function<void(TimerId)> on_tick_;
  CanberraSound& sound_;
  uint32_t frame_ms_;
  std::array<TimerState, 6> timers_;  // Timer5's slot stays unused
  SessionIdleProbe probe_;
  SingleShot wake_;
  IdlePollSource idle_;
};

}  // namespace quorbel
