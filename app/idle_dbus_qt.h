#pragma once
// The desktop's idle time over the session bus: GNOME's idle monitor, which
// says itself when the user has been idle for the break limit and when input
// comes back, and the screen saver's session idle time, which is asked.
// Every call is asynchronous: a desktop that hangs must not stall the
// panel's slide or shake.
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

#include "app/host_timing.h"
#include "app/idle_sources.h"

class QDBusError;

namespace quorbel {

// What a session idle source tells its owner.
struct IdleSourceEvents {
  std::function<void()> changed;   // the break limit passed, input is back, or an answer came
  std::function<void()> vanished;  // the service is gone, or refuses what the source needs
};

// Says which idle service has taken its name on the bus: one that left
// and came back (a restarted desktop shell), or one that came after the
// program started.
class IdleServiceArrivals {
 public:
  IdleServiceArrivals(QDBusConnection bus, std::function<void(IdleSourceKind)> arrived);

 private:
  QDBusServiceWatcher watcher_;
};

class MutterIdleProbe : public QObject, public IdleReader {
  Q_OBJECT

 public:
  // Asks for a watch of `break_ms` of idle time; Available() says whether
  // the monitor is on the bus.
  MutterIdleProbe(QDBusConnection bus, uint32_t break_ms, IdleSourceEvents events);
  ~MutterIdleProbe() override;

  bool Available() const { return available_; }
  std::optional<uint32_t> IdleMs() override;
  bool ReportsChanges() const override { return true; }
  // A user-active watch, unless one is set or asked for: it fires once, at
  // the next input.
  void WatchForReturn() override;

 private slots:
  void OnWatchFired(uint id);
  void OnIdleWatch(uint id);
  void OnActiveWatch(uint id);
  void OnWatchRefused(const QDBusError& error);
  void OnIdleTime(qulonglong ms);
  void OnIdleTimeError(const QDBusError& error);

 private:
  QDBusConnection bus_;
  IdleSourceEvents events_;
  QDBusServiceWatcher watcher_;
  QString owner_;
  IdleAnswer idle_time_;
  bool available_ = false;
  uint idle_watch_ = 0;
  uint active_watch_ = 0;
  bool active_watch_asked_ = false;
};

class ScreenSaverIdleProbe : public QObject, public IdleReader {
  Q_OBJECT

 public:
  ScreenSaverIdleProbe(QDBusConnection bus, IdleSourceEvents events);

  // The screen saver is on the bus; one that cannot tell the idle time is
  // reported vanished at its first answer.
  bool Available() const { return available_; }
  std::optional<uint32_t> IdleMs() override;

 private slots:
  void OnIdleTime(uint ms);
  void OnIdleTimeError(const QDBusError& error);

 private:
  QDBusConnection bus_;
  IdleSourceEvents events_;
  QDBusServiceWatcher watcher_;
  IdleAnswer idle_time_;
  bool available_ = false;
};

}  // namespace quorbel
