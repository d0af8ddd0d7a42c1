// The contract suite's Linux driver: QtCyclePorts on the offscreen Qt loop.
#include <QCoreApplication>
#include <QDeadlineTimer>

#include "app/cycle_qt.h"
#include "app/sound_canberra.h"
#include "app/tests/cycle_ports_driver.h"

namespace quorbel::testing {
namespace {

class QtDriver : public CyclePortsDriver {
 public:
  explicit QtDriver(std::function<void(TimerId)> on_tick) : ports_(std::move(on_tick), sound_) {}
  TimerHost& Timers() override { return ports_.Timers(); }
  bool RunUntil(const std::function<bool()>& done, uint32_t limit_ms) override {
    const QDeadlineTimer deadline(limit_ms);
    while (!deadline.hasExpired()) {
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
      if (done()) return true;
    }
    return done();
  }

 private:
  CanberraSound sound_;
  QtCyclePorts ports_;
};

}  // namespace

std::unique_ptr<CyclePortsDriver> MakeCyclePortsDriver(std::function<void(TimerId)> on_tick) {
  return std::make_unique<QtDriver>(std::move(on_tick));
}

}  // namespace quorbel::testing
