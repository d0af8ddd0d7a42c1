#pragma once
// Every cycle timer but the idle poll on the fake thread; Timer5 is the idle
// source's, as the Linux timer host routes it.
#include "app/host_timing.h"
#include "app/testing/fake_platform.h"

namespace quorbel::testing {

class IdleRoutingTimerHost : public TimerHost {
 public:
  IdleRoutingTimerHost(FakePlatform& platform, IdlePollSource& idle) : platform_(platform), idle_(idle) {}
  void SetInterval(TimerId timer, uint32_t milliseconds) override {
    if (timer != TimerId::Timer5) platform_.SetInterval(timer, milliseconds);
  }
  void SetEnabled(TimerId timer, bool enabled) override {
    if (timer == TimerId::Timer5) return idle_.SetEnabled(enabled);
    platform_.SetEnabled(timer, enabled);
  }
  bool IsEnabled(TimerId timer) const override {
    return timer == TimerId::Timer5 ? idle_.IsEnabled() : platform_.IsEnabled(timer);
  }

 private:
  FakePlatform& platform_;
  IdlePollSource& idle_;
};

}  // namespace quorbel::testing
