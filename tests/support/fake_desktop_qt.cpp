// A fake desktop for the idle sources' tests: GNOME's idle monitor and the
// freedesktop screen saver on a bus of the test's own, driven through
// standard input, one command a line:
//   idle MS           the user has been idle MS milliseconds (and counts on)
//   active            input came: the idle time starts again from 0
//   drop mutter|screensaver   that service leaves the bus
//   back mutter|screensaver   it takes its name again, as a restarted
//                             desktop does, with no watch of before
//   hang              neither service answers a call any more
// It prints "ready" once its services are on the bus.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <QStringList>

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <map>
#include <string>

namespace {

class FakeIdleClock {
 public:
  // A hung desktop takes every call and never answers it.
  bool hung = false;

  FakeIdleClock() { since_.start(); }
  void Set(qulonglong idle_ms) {
    base_ = idle_ms;
    since_.restart();
  }
  qulonglong IdleMs() const { return base_ + static_cast<qulonglong>(since_.elapsed()); }

 private:
  qulonglong base_ = 0;
  QElapsedTimer since_;
};

// Keeps the call unanswered when the desktop hangs; true then.
bool Hang(QDBusContext& context, const FakeIdleClock& clock) {
  if (clock.hung) context.setDelayedReply(true);
  return clock.hung;
}

// Input this recent means the user is at the keyboard.
constexpr qulonglong kAtWorkMs = 1000;

class FakeMutterIdleMonitor : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

 public:
  explicit FakeMutterIdleMonitor(FakeIdleClock& clock) : clock_(clock) {}

  void BecomeIdle() {
    for (auto& [id, watch] : idle_watches_) {
      if (!watch.fired && clock_.IdleMs() >= watch.interval) {
        watch.fired = true;
        emit WatchFired(id);
      }
    }
  }
  void BecomeActive() {
    for (auto& [id, watch] : idle_watches_) watch.fired = false;
    const auto active = active_watches_;
    active_watches_.clear();
    for (const uint id : active) emit WatchFired(id);
  }

 public slots:
  qulonglong GetIdletime() { return Hang(*this, clock_) ? 0 : clock_.IdleMs(); }
  uint AddIdleWatch(qulonglong interval) {
    if (Hang(*this, clock_)) return 0;
    idle_watches_[++last_id_] = {interval, false};
    return last_id_;
  }
  uint AddUserActiveWatch() {
    if (Hang(*this, clock_)) return 0;
    active_watches_.push_back(++last_id_);
    // A user at work gives input all the time: the next comes at once.
    if (clock_.IdleMs() < kAtWorkMs) QTimer::singleShot(0, this, [this] { BecomeActive(); });
    return last_id_;
  }
  void Forget() {
    idle_watches_.clear();
    active_watches_.clear();
  }
  void RemoveWatch(uint id) {
    idle_watches_.erase(id);
    active_watches_.removeAll(id);
  }

 signals:
  void WatchFired(uint id);

 private:
  struct IdleWatch {
    qulonglong interval;
    bool fired;
  };
  FakeIdleClock& clock_;
  uint last_id_ = 0;
  std::map<uint, IdleWatch> idle_watches_;
  QList<uint> active_watches_;
};

class FakeScreenSaver : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public:
  explicit FakeScreenSaver(FakeIdleClock& clock) : clock_(clock) {}

 public slots:
  uint GetSessionIdleTime() { return Hang(*this, clock_) ? 0 : static_cast<uint>(clock_.IdleMs()); }

 private:
  FakeIdleClock& clock_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 3) {
    std::fprintf(stderr, "usage: %s BUS_ADDRESS mutter,screensaver\n", argv[0]);
    return 2;
  }
  QDBusConnection bus = QDBusConnection::connectToBus(arguments[1], QStringLiteral("fake-desktop"));
  const QStringList services = arguments[2].split(u',');

  FakeIdleClock clock;
  FakeMutterIdleMonitor mutter(clock);
  FakeScreenSaver screensaver(clock);
  const auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals;
  bool registered = bus.isConnected();
  if (services.contains(QStringLiteral("mutter"))) {
    registered = registered && bus.registerObject(QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"), &mutter, exported) &&
                 bus.registerService(QStringLiteral("org.gnome.Mutter.IdleMonitor"));
  }
  if (services.contains(QStringLiteral("screensaver"))) {
    registered = registered &&
                 bus.registerObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &screensaver, exported) &&
                 bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
  }
  if (!registered) {
    std::fprintf(stderr, "fake desktop: could not take its names on %s\n", qPrintable(arguments[1]));
    return 1;
  }

  const auto handle = [&](const std::string& command) {
    if (command.rfind("idle ", 0) == 0) {
      clock.Set(std::stoull(command.substr(5)));
      mutter.BecomeIdle();
    } else if (command == "active") {
      clock.Set(0);
      mutter.BecomeActive();
    } else if (command == "hang") {
      clock.hung = true;
    } else if (command == "drop mutter") {
      bus.unregisterService(QStringLiteral("org.gnome.Mutter.IdleMonitor"));
    } else if (command == "drop screensaver") {
      bus.unregisterService(QStringLiteral("org.freedesktop.ScreenSaver"));
    } else if (command == "back mutter") {
      mutter.Forget();
      bus.registerService(QStringLiteral("org.gnome.Mutter.IdleMonitor"));
    } else if (command == "back screensaver") {
      bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
    }
    std::printf("done %s\n", command.c_str());
    std::fflush(stdout);
  };
  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, [&] {
    // Lines that arrived together wait in the stream's buffer, where the
    // notifier cannot see them.
    do {
      std::string command;
      if (!std::getline(std::cin, command)) return QCoreApplication::quit();
      handle(command);
    } while (std::cin.rdbuf()->in_avail() > 0);
  });
  std::printf("ready\n");
  std::fflush(stdout);
  return QCoreApplication::exec();
}

#include "fake_desktop_qt.moc"
