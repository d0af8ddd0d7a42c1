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
#include "app/timer_table.h"

namespace quorbel {

class CanberraSound;

class QtCyclePorts : public NativeTimers, public ThreadBlocker {
 public:
  // Every tick of an enabled timer, the idle poll's included, goes to
  // `on_tick`.
  QtCyclePorts(std::function<void(TimerId)> on_tick, CanberraSound& sound);
  ~QtCyclePorts() override;

  InputClock& Input() { return idle_; }
  TimerTable& Timers() { return timers_; }

  void StartNative(TimerId timer, uint32_t period_ms) override;
  void StopNative(TimerId timer) override;

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
  QTimer& Native(TimerId timer) { return native_[static_cast<size_t>(timer)]; }

  std::function<void(TimerId)> on_tick_;
  CanberraSound& sound_;
  uint32_t frame_ms_;
  std::array<QTimer, kTimerCount> native_;  // Timer5's stays unused
  SessionIdleProbe probe_;
  SingleShot wake_;
  IdlePollSource idle_;
  TimerTable timers_;
};

}  // namespace quorbel
