#pragma once
// The platform's native timers on the fake thread, below the program's real
// timer table: a native timer (re)started ticks every period from now.
#include "app/timer_table.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {

class FakeNativeTimers : public NativeTimers {
 public:
  explicit FakeNativeTimers(FakePlatform& platform) : platform_(platform) {}
  void StartNative(TimerId timer, uint32_t period_ms) override {
    platform_.SetEnabled(timer, false);
    platform_.SetInterval(timer, period_ms);
    platform_.SetEnabled(timer, true);
  }
  void StopNative(TimerId timer) override { platform_.SetEnabled(timer, false); }

 private:
  FakePlatform& platform_;
};

}  // namespace quorbel::testing
