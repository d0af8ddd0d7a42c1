#include "app/sleep_away.h"

#include <algorithm>

namespace quorbel {

std::optional<uint32_t> SleepAway::IdleMs(uint32_t now, std::optional<uint32_t> reported, uint64_t slept_ms,
                                          bool trust_return) {
  const uint64_t slept = slept_ms > slept_mark_ ? slept_ms - slept_mark_ : 0;
  slept_mark_ = slept_ms;
  // A shorter sleep is no break: the user may have worked right up to it
  // and on right after it.
  if (slept >= break_ms_) {
    const uint32_t since = now - static_cast<uint32_t>(std::min<uint64_t>(slept, UINT32_MAX / 2));
    away_ = Away{away_ ? away_->since : since, now};
  } else if (away_ && ShowsReturn(now, reported, trust_return)) {
    away_.reset();
  }
  if (!away_) return reported;
  return std::max(reported.value_or(0), now - away_->since);
}

bool SleepAway::ShowsReturn(uint32_t now, std::optional<uint32_t> reported, bool trust_return) const {
  // Input came after the sleep was found: less idle time than has passed
  // since.
  return trust_return && reported && *reported < now - away_->seen_at;
}

}  // namespace quorbel
