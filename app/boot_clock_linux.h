#pragma once
#include <cstdint>

namespace quorbel {

// The cycle's 32-bit tick count on Linux. It counts time the machine spent
// asleep too, as the Windows tick count does: a minute tick after a long
// sleep must see it as a break.
uint32_t BootTickCount32();

// How long the machine has slept since it booted, in milliseconds: what
// CLOCK_BOOTTIME counts and CLOCK_MONOTONIC does not.
uint64_t SleptMs();

}  // namespace quorbel
