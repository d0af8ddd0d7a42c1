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
      idle_(probe_, wake_, frame_ms_, [this] { on_tick_(TimerId::Timer5); }),
      timers_(*this, on_tick_, {frame_ms_, &idle_}) {
  probe_.SetListener({[this] { idle_.OnIdleChanged(); }, [this] { idle_.OnSourceReplaced(); }});
  for (const TimerId id : kAllTimers) {
    // Precise: a coarse minute timer may be off by three seconds.
    Native(id).setTimerType(Qt::PreciseTimer);
    QObject::connect(&Native(id), &QTimer::timeout, [this, id] { timers_.OnNativeTick(id); });
  }
}

QtCyclePorts::~QtCyclePorts() { timers_.StopAll(); }

void QtCyclePorts::StartNative(TimerId timer, uint32_t period_ms) {
  Native(timer).start(std::chrono::milliseconds(period_ms));
}

void QtCyclePorts::StopNative(TimerId timer) { Native(timer).stop(); }

void QtCyclePorts::PlaySoundSync(const Text& path) { sound_.PlaySync(path); }

void QtCyclePorts::Sleep(uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace quorbel
