#pragma once
// What the Linux timer host decides without a window system: the cycle's
// 32-bit tick count, the period its "shortest" timers really get, and when
// the idle source reads the session's idle time and hands the cycle an idle
// poll. The poll is no fast timer there: a hidden panel would otherwise wake
// the process sixty times a second for a value that changes its meaning only
// at the 120-second mark.
#include <cstdint>
#include <functional>
#include <optional>

#include "app/ports.h"
#include "app/sleep_away.h"

namespace quorbel {

// A monotonic millisecond clock kept to 32 bits, as the cycle's unsigned
// arithmetic expects of a tick count.
inline uint32_t TickCount32(uint64_t monotonic_ms) { return static_cast<uint32_t>(monotonic_ms); }

// Used when the display reports no usable refresh rate.
inline constexpr uint32_t kDefaultFrameMs = 16;
// The cycle's pace (a slide of 14 steps in 0.15 to 0.25 s, the shake's
// ticks) assumes Windows' shortest timer period, 10 to 16 ms: a faster
// display, or a rate a driver reports wrongly, must not make a busy timer.
inline constexpr uint32_t kShortestFrameMs = 10;

// One frame of a display refreshing `refresh_hz` times a second, in whole
// milliseconds (16 at 60 Hz), but never under kShortestFrameMs; the default
// for a rate that is not positive or not finite.
uint32_t FrameIntervalMs(double refresh_hz);

// The period a timer really gets: the cycle's 1 ms means "as often as the
// screen can show it", so anything shorter than a frame runs at the frame
// interval; 0 (no interval yet) stays 0.
uint32_t HostTimerPeriod(uint32_t requested_ms, uint32_t frame_ms);

// When to read the idle time and when a reading is an idle poll for the
// cycle. A poll is delivered on the first reading after the poll is enabled
// (start-up, the end of a freeze), when the idle time passes the break limit,
// and when input comes back after that: every reading at which the cycle's
// own decision could change. The source is read at most once a second.
class IdleSchedule {
 public:
  static constexpr uint32_t kMinReadGapMs = 1000;
  // More than 120 whole seconds: the cycle's break.
  static constexpr uint32_t kBreakIdleMs = 121000;

  struct Reading {
    bool deliver_poll = false;
    // This reading is the first to show the current break.
    bool break_begins = false;
    uint32_t next_read_ms = kMinReadGapMs;
  };

  // The poll was enabled or disabled; returns, on enabling, how soon to read.
  uint32_t Enable(uint32_t now, uint32_t frame_ms);
  void Disable() { enabled_ = false; }
  bool Enabled() const { return enabled_; }

  // A reading of the idle time taken at `now`; nothing when the query failed.
  Reading OnTimedReading(uint32_t now, std::optional<uint32_t> idle_ms);
  // A reading the input clock took for the cycle itself: updates the stamp,
  // never delivers (the cycle is already running). A break it shows is one
  // the cycle acts on, so the user's return is a poll to deliver; true when
  // the reading is the first to show this break.
  bool Record(uint32_t now, std::optional<uint32_t> idle_ms);

  // The idle time now comes from another source: its first reading is a
  // poll, as after enabling, and no earlier reading counts.
  void Restart();

  // True when the last reading is a second old or there is none.
  bool NeedsReading(uint32_t now) const;
  // The tick of the last input as of the last reading.
  std::optional<uint32_t> LastInputTick() const;

 private:
  static bool IsBreak(uint32_t idle_ms) { return idle_ms >= kBreakIdleMs; }

  bool enabled_ = false;
  bool poll_pending_ = false;
  bool delivered_break_ = false;
  bool known_break_ = false;  // the last reading showed a break
  std::optional<uint32_t> read_at_;
  std::optional<uint32_t> last_input_;
};

// One source of the session's idle time.
class IdleReader {
 public:
  virtual ~IdleReader() = default;
  // Milliseconds since the last keyboard or pointer input; nothing when the
  // query failed.
  virtual std::optional<uint32_t> IdleMs() = 0;
  // True for a source that says itself when the idle time passes the break
  // limit and when input comes back (IdlePollSource::OnIdleChanged): it is
  // read then instead of on a schedule.
  virtual bool ReportsChanges() const { return false; }
  // A reading showed a break that the source may not have reported itself (a
  // minute tick after a sleep, a first reading): such a source must now
  // report the user's return.
  virtual void WatchForReturn() {}
};

// The session's idle time and the clocks, as the platform reads them.
class IdleProbe : public IdleReader {
 public:
  // The 32-bit tick count (TickCount32 of a clock that counts the time the
  // machine slept too).
  virtual uint32_t Now() = 0;
  // How long the machine has slept since it booted, in milliseconds.
  virtual uint64_t SleptMs() = 0;
};

// A single-shot wake-up of the user-interface thread.
class WakeTimer {
 public:
  virtual ~WakeTimer() = default;
  // Replaces any wake-up still pending.
  virtual void WakeAfter(uint32_t milliseconds) = 0;
  virtual void Cancel() = 0;
};

// The cycle's input clock and its idle poll on a platform that reports an
// idle time: the timer host routes Timer5's enabling here, the wake timer
// calls OnWake, and each poll goes to `deliver_poll` (the cycle's Timer5).
class IdlePollSource : public InputClock {
 public:
  IdlePollSource(IdleProbe& probe, WakeTimer& wake, uint32_t frame_ms, std::function<void()> deliver_poll)
      : probe_(probe),
        wake_(wake),
        frame_ms_(frame_ms),
        deliver_poll_(std::move(deliver_poll)),
        sleep_away_(IdleSchedule::kBreakIdleMs, probe.SleptMs()) {}

  void SetEnabled(bool enabled);
  bool IsEnabled() const { return schedule_.Enabled(); }
  void OnWake();
  // The probe reported the break limit passed or input back.
  void OnIdleChanged();
  // The probe now reads another source; its readings start afresh.
  void OnSourceReplaced();

  // InputClock: the stamp of the last reading, read anew when it is a second
  // old, so the minute tick sees the idle time as the poll does.
  std::optional<uint32_t> LastInputTick() override;
  uint32_t TickCount() override { return probe_.Now(); }

 private:
  IdleProbe& probe_;
  WakeTimer& wake_;
  uint32_t frame_ms_;
  std::function<void()> deliver_poll_;
  // The source's idle time, with the machine's sleeps as time away;
  // `reported_change`: the source itself said that it changed.
  std::optional<uint32_t> Sample(bool reported_change);
  void Read(bool reported_change);
  void OnBreakBegins();

  SleepAway sleep_away_;
  IdleSchedule schedule_;
};

}  // namespace quorbel
