// The contract suite's Windows driver: Win32CyclePorts on the panel window's
// message loop.
#include <windows.h>

#include "app/cycle_win32.h"
#include "app/panel_window_win32.h"
#include "app/tests/cycle_ports_driver.h"

namespace quorbel::testing {
namespace {

class Win32Driver : public CyclePortsDriver {
 public:
  explicit Win32Driver(std::function<void(TimerId)> on_tick)
      : window_(Win32PanelWindow::Create([this](uintptr_t identifier) { ports_->OnTimerMessage(identifier); })),
        ports_(std::make_unique<Win32CyclePorts>(window_->Handle(), std::move(on_tick))) {}
  TimerHost& Timers() override { return ports_->Timers(); }
  bool RunUntil(const std::function<bool()>& done, uint32_t limit_ms) override {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < limit_ms) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      if (done()) return true;
    }
    return done();
  }

 private:
  std::unique_ptr<Win32PanelWindow> window_;
  std::unique_ptr<Win32CyclePorts> ports_;  // stops its timers before the window goes
};

}  // namespace

std::unique_ptr<CyclePortsDriver> MakeCyclePortsDriver(std::function<void(TimerId)> on_tick) {
  return std::make_unique<Win32Driver>(std::move(on_tick));
}

}  // namespace quorbel::testing
