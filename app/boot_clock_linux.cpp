#include "app/boot_clock_linux.h"

#include <ctime>

#include "app/host_timing.h"

namespace quorbel {

namespace {

uint64_t ClockMs(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
}

}  // namespace

uint32_t BootTickCount32() { return TickCount32(ClockMs(CLOCK_BOOTTIME)); }

uint64_t SleptMs() {
  const uint64_t monotonic = ClockMs(CLOCK_MONOTONIC);
  const uint64_t boot = ClockMs(CLOCK_BOOTTIME);
  return boot > monotonic ? boot - monotonic : 0;
}

}  // namespace quorbel
