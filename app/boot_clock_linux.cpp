#include "app/boot_clock_linux.h"

#include <ctime>

#include "app/host_timing.h"

namespace quorbel {

uint32_t BootTickCount32() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000;
  return TickCount32(ms);
}

}  // namespace quorbel
