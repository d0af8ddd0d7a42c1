// Loaded into the program under test (LD_PRELOAD): moves CLOCK_BOOTTIME
// ahead of CLOCK_MONOTONIC by the milliseconds written in the file that
// $QUORBEL_FAKE_SLEEP_FILE names, as a sleep of the machine would, for this
// process alone and without stopping anything.
#include <dlfcn.h>
#include <time.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

namespace {

using ClockGettime = int (*)(clockid_t, timespec*);

int64_t SleptMs() {
  const char* file = std::getenv("QUORBEL_FAKE_SLEEP_FILE");
  if (!file) return 0;
  std::ifstream in(file);
  int64_t ms = 0;
  in >> ms;
  return ms;
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* now) {
  static const auto real = reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
  const int result = real(clock, now);
  if (result != 0 || clock != CLOCK_BOOTTIME) return result;
  const int64_t slept_ms = SleptMs();
  const int64_t ns = now->tv_nsec + slept_ms % 1000 * 1000000;
  now->tv_sec += static_cast<time_t>(slept_ms / 1000 + ns / 1000000000);
  now->tv_nsec = static_cast<long>(ns % 1000000000);
  return 0;
}
