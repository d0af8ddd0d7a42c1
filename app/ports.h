#pragma once
// The narrow platform ports the reminder cycle runs on. The cycle never reads
// a clock itself: the window system (or a test's fake) calls it on each tick.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/text.h"

namespace quorbel {

// The panel window's six working timers.
enum class TimerId { Timer1, Timer2, Timer3, Timer4, Timer5, Timer7 };
inline constexpr size_t kTimerCount = 6;
inline constexpr TimerId kAllTimers[kTimerCount] = {TimerId::Timer1, TimerId::Timer2, TimerId::Timer3,
                                                    TimerId::Timer4, TimerId::Timer5, TimerId::Timer7};

// Message timers of the user-interface thread. Enabling a disabled timer
// starts a fresh full interval; an interval of 1 ms means the platform's
// shortest period.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual void SetInterval(TimerId timer, uint32_t milliseconds) = 0;
  virtual void SetEnabled(TimerId timer, bool enabled) = 0;
  virtual bool IsEnabled(TimerId timer) const = 0;
};

// The panel window's vertical position (its top edge in screen pixels).
class PanelWindow {
 public:
  virtual ~PanelWindow() = default;
  virtual int32_t Top() const = 0;
  virtual void SetTop(int32_t top) = 0;
  virtual int32_t Height() const = 0;
  // A reminder has come down: assistive technology is told `text` as an
  // alert, and reads it as the window's name from then on.
  virtual void AnnounceArrival(const Text& text) = 0;
};

// The platform's 32-bit millisecond tick count and the tick of the last
// keyboard or mouse input. Both wrap after about 49.7 days.
class InputClock {
 public:
  virtual ~InputClock() = default;
  virtual std::optional<uint32_t> LastInputTick() = 0;  // nothing when the query failed
  virtual uint32_t TickCount() = 0;
};

// Blocking calls of the user-interface thread: a synchronous sound and a
// pause. While they run, due timer ticks wait.
class ThreadBlocker {
 public:
  virtual ~ThreadBlocker() = default;
  // Plays a WAV file to its end; a missing or unplayable file plays nothing.
  virtual void PlaySoundSync(const Text& path) = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
};

}  // namespace quorbel
