#pragma once
// One platform's cycle ports for the contract suite both platforms run: the
// timer table over the platform's native timers, and its event loop.
#include <cstdint>
#include <functional>
#include <memory>

#include "app/ports.h"

namespace quorbel::testing {

class CyclePortsDriver {
 public:
  virtual ~CyclePortsDriver() = default;
  virtual TimerHost& Timers() = 0;
  // Runs the platform's event loop until `done` holds or `limit_ms` passed;
  // true when `done` held.
  virtual bool RunUntil(const std::function<bool()>& done, uint32_t limit_ms) = 0;
};

// Each tick the ports deliver goes to `on_tick`.
std::unique_ptr<CyclePortsDriver> MakeCyclePortsDriver(std::function<void(TimerId)> on_tick);

}  // namespace quorbel::testing
