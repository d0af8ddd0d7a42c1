#pragma once
// The desktop's idle time over the session bus: GNOME's idle monitor, which
// says itself when the user has been idle for the break limit and when input
// comes back, and the screen saver's session idle time, which is asked.
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

#include "app/host_timing.h"

namespace quorbel {

// What a session idle source tells its owner.
struct IdleSourceEvents {
  std::function<void()> changed;   // the break limit passed, or input is back
  std::function<void()> vanished;  // the service is gone
};

class MutterIdleProbe : public QObject, public IdleReader {
  Q_OBJECT

 public:
  // Sets a watch for `break_ms` of idle time; Available() says whether the
  // monitor took it.
  MutterIdleProbe(QDBusConnection bus, uint32_t break_ms, IdleSourceEvents events);
  ~MutterIdleProbe() override;

  bool Available() const { return idle_watch_ != 0; }
  std::optional<uint32_t> IdleMs() override;
  bool ReportsChanges() const override { return true; }
  // A user-active watch, unless one is set: it fires once, at the next input.
  void WatchForReturn() override;

 private slots:
  void OnWatchFired(uint id);

 private:
  QDBusConnection bus_;
  IdleSourceEvents events_;
  QDBusServiceWatcher watcher_;
  uint idle_watch_ = 0;
  uint active_watch_ = 0;
};

class ScreenSaverIdleProbe : public IdleReader {
 public:
  ScreenSaverIdleProbe(QDBusConnection bus, IdleSourceEvents events);

  // The service answered the first question.
  bool Available() const { return available_; }
  std::optional<uint32_t> IdleMs() override;

 private:
  QDBusConnection bus_;
  QDBusServiceWatcher watcher_;
  bool available_ = false;
};

}  // namespace quorbel
