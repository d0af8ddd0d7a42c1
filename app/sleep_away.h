#pragma once
// A sleep of the machine is time away from it, whatever the idle source.
// The X server, GNOME's idle monitor and the session's screen saver count
// idle time on the monotonic clock, and a compositor's idle timers may stand
// still, so none of them sees the sleep; the cycle's tick count does. As on
// Windows, where the first poll after a wake resets the count, a sleep that
// alone makes a break is one, and the user is back only once the source
// shows input that came after the wake was seen.
#include <cstdint>
#include <optional>

namespace quorbel {

class SleepAway {
 public:
  // `break_ms`: the shortest idle time that is a break; `slept_ms`: the
  // machine's time asleep since it booted, as of the start.
  SleepAway(uint32_t break_ms, uint64_t slept_ms) : break_ms_(break_ms), slept_mark_(slept_ms) {}

  // The idle time at tick `now`: what the source reported (nothing when its
  // query failed), or longer while a sleep keeps the user away. A source
  // whose reading is no true idle time (it only says when the user went
  // idle and came back) is believed about the return only when it reported
  // a change itself: `trust_return`.
  std::optional<uint32_t> IdleMs(uint32_t now, std::optional<uint32_t> reported, uint64_t slept_ms,
                                 bool trust_return);

 private:
  struct Away {
    uint32_t since;    // the tick the user was last seen before the sleep, at the latest
    uint32_t seen_at;  // the tick the sleep was found
  };
  bool ShowsReturn(uint32_t now, std::optional<uint32_t> reported, bool trust_return) const;

  uint32_t break_ms_;
  uint64_t slept_mark_;
  std::optional<Away> away_;
};

}  // namespace quorbel
