#include "app/cycle_qt.h"

#include <QGuiApplication>
#include <QScreen>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "app/sound_canberra.h"

namespace quorbel {
namespace {

uint32_t DisplayFrameMs() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return FrameIntervalMs(screen ? screen->refreshRate() : 0.0);
}

// Said where someone may read it: a program started from the desktop has no
// one behind its standard error.
void SayOnTerminal(const std::string& line) {
  if (isatty(STDERR_FILENO)) std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace

QtCyclePorts::SingleShot::SingleShot(std::function<void()> on_wake) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, std::move(on_wake));
}

void QtCyclePorts::SingleShot::WakeAfter(uint32_t milliseconds) {
  timer_.start(std::chrono::milliseconds(milliseconds));
}

QtCyclePorts::QtCyclePorts(std::function<void(TimerId)> on_tick, CanberraSound& sound)
    : on_tick_(std::move(on_tick)),
      sound_(sound),
      frame_ms_(DisplayFrameMs()),
      probe_(QDBusConnection::sessionBus(), SayOnTerminal),
      wake_([this] { idle_.OnWake(); }),
      idle_(probe_, wake_, frame_ms_, [this] { on_tick_(TimerId::Timer5); }) {
  probe_.SetListener({[this] { idle_.OnIdleChanged(); }, [this] { idle_.OnSourceReplaced(); }});
  for (size_t i = 0; i < timers_.size(); ++i) {
    const auto id = static_cast<TimerId>(i);
    // Precise: a coarse minute timer may be off by three seconds.
    timers_[i].timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timers_[i].timer, &QTimer::timeout, [this, id] { on_tick_(id); });
  }
}

QtCyclePorts::~QtCyclePorts() { StopAllTimers(); }

void QtCyclePorts::StopAllTimers() {
  for (size_t i = 0; i < timers_.size(); ++i) SetEnabled(static_cast<TimerId>(i), false);
}

void QtCyclePorts::Arm(TimerState& state) {
  const uint32_t period = HostTimerPeriod(state.interval, frame_ms_);
  if (state.enabled && period > 0) {
    state.timer.start(std::chrono::milliseconds(period));
  } else {
    state.timer.stop();
  }
}

void QtCyclePorts::SetInterval(TimerId timer, uint32_t milliseconds) {
  if (timer == TimerId::Timer5) return;  // the idle source keeps its own times
  TimerState& state = At(timer);
  if (state.interval == milliseconds) return;
  state.interval = milliseconds;
  Arm(state);
}

void QtCyclePorts::SetEnabled(TimerId timer, bool enabled) {
  if (timer == TimerId::Timer5) return idle_.SetEnabled(enabled);
  TimerState& state = At(timer);
  // Enabling a running timer keeps its phase; enabling a stopped one starts
  // a full interval.
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  Arm(state);
}

bool QtCyclePorts::IsEnabled(TimerId timer) const {
  return timer == TimerId::Timer5 ? idle_.IsEnabled() : At(timer).enabled;
}

void QtCyclePorts::PlaySoundSync(const Text& path) { sound_.PlaySync(path); }

void QtCyclePorts::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace quorbel
