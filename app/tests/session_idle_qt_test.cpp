// The session idle sources against a fake desktop on a private bus: a real
// dbus-daemon, real D-Bus calls and signals, and the reminder cycle deciding
// from what they report.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cycle.h"
#include "app/host_timing.h"
#include "app/session_idle_qt.h"
#include "app/tests/qt_wait.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_native_timers.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {
namespace {

// A dbus-daemon of the test's own and the fake desktop on it.
class FakeSession {
 public:
  explicit FakeSession(const QString& services) {
    bus_daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!bus_daemon_.waitForReadyRead(5000)) return;
    address_ = QString::fromUtf8(bus_daemon_.readLine()).trimmed();
    services_ = services;
    StartDesktop();
  }
  ~FakeSession() {
    for (QProcess* process : {&desktop_, &bus_daemon_}) {
      process->kill();
      process->waitForFinished(2000);
    }
  }

  bool Ready() const { return ready_; }
  QString Address() const { return address_; }

  // The desktop ends and starts again: its names leave the bus and come
  // back with a new owner.
  bool RestartDesktop() {
    desktop_.kill();
    desktop_.waitForFinished(2000);
    StartDesktop();
    return ready_;
  }

  bool Send(const std::string& command) {
    desktop_.write((command + "\n").c_str());
    return WaitForLine("done " + command);
  }

 private:
  bool WaitForLine(const std::string& expected) {
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
      if (!desktop_.canReadLine() && !desktop_.waitForReadyRead(100)) continue;
      while (desktop_.canReadLine()) {
        if (desktop_.readLine().trimmed().toStdString() == expected) return true;
      }
    }
    return false;
  }

  void StartDesktop() {
    desktop_.start(QStringLiteral(QUORBEL_FAKE_DESKTOP), {address_, services_});
    ready_ = WaitForLine("ready");
  }

  QProcess bus_daemon_;
  QProcess desktop_;
  QString address_;
  QString services_;
  bool ready_ = false;
};

class QtWakeTimer : public WakeTimer {
 public:
  explicit QtWakeTimer(std::function<void()> on_wake) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, std::move(on_wake));
  }
  void WakeAfter(uint32_t milliseconds) override { timer_.start(static_cast<int>(milliseconds)); }
  void Cancel() override { timer_.stop(); }

 private:
  QTimer timer_;
};

// The cycle as the Linux program wires it, with the session source on the
// fake desktop's bus and the other timers on the fake thread.
class SessionCycle {
 public:
  explicit SessionCycle(const QString& address)
      : bus_(QDBusConnection::connectToBus(address, QStringLiteral("quorbel-test"))),
        probe_(bus_, [this](const std::string& line) { said.push_back(line); }) {
    platform_.SetTickHandler([this](TimerId timer) { timers_.OnNativeTick(timer); });
    probe_.SetListener({[this] { idle_.OnIdleChanged(); }, [this] { idle_.OnSourceReplaced(); }});
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1");
  }
  ~SessionCycle() { QDBusConnection::disconnectFromBus(QStringLiteral("quorbel-test")); }

  void Start(int32_t minutes) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", minutes);
    cycle_.Start();
  }

  std::vector<std::string> said;
  int polls = 0;

  QDBusConnection bus_;
  SessionIdleProbe probe_;
  FakePlatform platform_;
  FakePanelWindow window_{platform_};
  RecordingRenderer renderer_{platform_};
  QtWakeTimer wake_{[this] { idle_.OnWake(); }};
  IdlePollSource idle_{probe_, wake_, 16, [this] {
                         ++polls;
                         cycle_.OnTimer(TimerId::Timer5);
                       }};
  FakeNativeTimers native_{platform_};
  TimerTable timers_{native_, [this](TimerId timer) { cycle_.OnTimer(timer); }, {0, &idle_}};
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  ReminderCycle cycle_{CyclePorts{timers_, window_, idle_, platform_, renderer_, reg_, ini_}, u"load.wav"};
};

class SessionIdleTest : public ::testing::Test {
 protected:
  // The test's own session has no Wayland compositor to offer.
  void SetUp() override { unsetenv("WAYLAND_DISPLAY"); }
};

TEST_F(SessionIdleTest, GnomesIdleMonitorResetsTheCountAtTheBreakAndResumesItWhenTheUserIsBack) {
  FakeSession session(QStringLiteral("mutter,screensaver"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  SessionCycle cycle(session.Address());
  ASSERT_EQ(cycle.probe_.Current(), IdleSourceKind::MutterIdleMonitor);
  ASSERT_EQ(cycle.said.size(), 1u);
  EXPECT_NE(cycle.said[0].find("org.gnome.Mutter.IdleMonitor"), std::string::npos) << cycle.said[0];

  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.polls == 1; })) << "no poll after start";
  cycle.platform_.RunFor(3 * 60000);
  ASSERT_EQ(cycle.cycle_.UseMinutes(), 3);

  ASSERT_TRUE(session.Send("idle 121500"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); })) << "the idle watch's signal reset nothing";
  EXPECT_EQ(cycle.cycle_.UseMinutes(), 0);
  EXPECT_FALSE(cycle.platform_.IsEnabled(TimerId::Timer1));

  ASSERT_TRUE(session.Send("active"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); })) << "the user-active watch resumed nothing";
  EXPECT_TRUE(cycle.platform_.IsEnabled(TimerId::Timer1));

  // The idle watch holds for every break, the user-active watch is set anew.
  ASSERT_TRUE(session.Send("idle 200000"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); })) << "the second break went unheard";
  ASSERT_TRUE(session.Send("active"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); })) << "the second return went unheard";
}

// The idle watch fires only when the idle time passes its interval: a start
// while the user is away (or a break found by the minute tick after a sleep)
// has no watch of its own for the return.
TEST_F(SessionIdleTest, GnomesIdleMonitorHearsTheReturnOfAUserWhoWasAwayAtStart) {
  FakeSession session(QStringLiteral("mutter"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  ASSERT_TRUE(session.Send("idle 300000"));
  SessionCycle cycle(session.Address());
  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); })) << "the first reading shows the break";

  ASSERT_TRUE(session.Send("active"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); })) << "no user-active watch was set for the return";
  EXPECT_TRUE(cycle.platform_.IsEnabled(TimerId::Timer1));
}

TEST_F(SessionIdleTest, TheScreenSaversIdleTimeIsAskedAsItGrowsPastTheBreakAndBack) {
  FakeSession session(QStringLiteral("screensaver"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  ASSERT_TRUE(session.Send("idle 119000"));
  SessionCycle cycle(session.Address());
  ASSERT_EQ(cycle.probe_.Current(), IdleSourceKind::FreedesktopScreenSaver);

  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.polls >= 1; }));
  EXPECT_FALSE(cycle.cycle_.IsIdle()) << "119 s is no break";
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); }, 6000))
      << "the idle time passed 120 s and the source did not see it";

  ASSERT_TRUE(session.Send("active"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); }, 3000)) << "the return was not seen within a second";
}

TEST_F(SessionIdleTest, ASourceThatLeavesTheBusHandsOverToTheNextAndTheCycleHearsIt) {
  FakeSession session(QStringLiteral("mutter,screensaver"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  SessionCycle cycle(session.Address());
  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.polls == 1; }));

  // The user left while the monitor was going away: the screen saver that
  // takes over reads the break at once.
  ASSERT_TRUE(session.Send("idle 130000"));
  ASSERT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); }));
  ASSERT_TRUE(session.Send("active"));
  ASSERT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); }));
  ASSERT_TRUE(session.Send("drop mutter"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.probe_.Current() == IdleSourceKind::FreedesktopScreenSaver; }));
  ASSERT_EQ(cycle.said.size(), 2u);
  EXPECT_NE(cycle.said[1].find("went away; idle time now from the session's screen saver"), std::string::npos)
      << cycle.said[1];
  ASSERT_TRUE(session.Send("idle 125000"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); }, 3000)) << "the new source did not see the break";

  // Nothing after it on a test machine (no compositor, an offscreen display).
  ASSERT_TRUE(session.Send("drop screensaver"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.probe_.Current().has_value(); }));
  EXPECT_NE(cycle.said.back().find("no idle time found"), std::string::npos) << cycle.said.back();
  EXPECT_EQ(cycle.probe_.IdleMs(), 0u) << "every minute counts as work";
  EXPECT_TRUE(cycle.probe_.ReportsChanges()) << "no reading a second for a source that is not there";
}

// A desktop shell that restarts takes its name on the bus again: the
// program goes back to it, and to nothing ranked lower.
TEST_F(SessionIdleTest, ASourceThatComesBackToTheBusIsUsedAgain) {
  FakeSession session(QStringLiteral("mutter,screensaver"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  SessionCycle cycle(session.Address());
  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.polls == 1; }));
  ASSERT_TRUE(session.Send("drop mutter"));
  ASSERT_TRUE(WaitUntil([&] { return cycle.probe_.Current() == IdleSourceKind::FreedesktopScreenSaver; }));

  ASSERT_TRUE(session.Send("back mutter"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.probe_.Current() == IdleSourceKind::MutterIdleMonitor; }))
      << "the idle monitor came back and was not used";
  EXPECT_NE(cycle.said.back().find("idle time from GNOME's idle monitor"), std::string::npos) << cycle.said.back();

  // Only the monitor's own watches can tell the break and the return now.
  const size_t said = cycle.said.size();
  ASSERT_TRUE(session.Send("drop screensaver"));
  ASSERT_TRUE(session.Send("back screensaver"));
  ASSERT_TRUE(session.Send("drop screensaver"));
  ASSERT_TRUE(session.Send("idle 121500"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); })) << "the returned monitor's idle watch was not heard";
  ASSERT_TRUE(session.Send("active"));
  EXPECT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); })) << "the returned monitor's return was not heard";
  EXPECT_EQ(cycle.probe_.Current(), IdleSourceKind::MutterIdleMonitor) << "a lower source took over";
  EXPECT_EQ(cycle.said.size(), said) << cycle.said.back();

  // With no source left, the first to come back is used.
  ASSERT_TRUE(session.Send("drop mutter"));
  ASSERT_TRUE(WaitUntil([&] { return !cycle.probe_.Current().has_value(); }));
  ASSERT_TRUE(session.Send("back screensaver"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.probe_.Current() == IdleSourceKind::FreedesktopScreenSaver; }));
  ASSERT_TRUE(session.Send("idle 125000"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); }, 3000)) << "the returned screen saver was not asked";
  ASSERT_TRUE(session.Send("active"));
  ASSERT_TRUE(WaitUntil([&] { return !cycle.cycle_.IsIdle(); }, 3000));

  // The whole desktop restarts: another connection owns the names now.
  ASSERT_TRUE(session.RestartDesktop());
  EXPECT_TRUE(WaitUntil([&] { return cycle.probe_.Current() == IdleSourceKind::MutterIdleMonitor; }));
  ASSERT_TRUE(session.Send("idle 121500"));
  EXPECT_TRUE(WaitUntil([&] { return cycle.cycle_.IsIdle(); })) << "the restarted monitor's idle watch was not heard";
}

// The panel slides and shakes on the thread that reads the idle time: a
// desktop that takes calls and never answers them must never hold it.
TEST_F(SessionIdleTest, ADesktopThatNeverAnswersNeverHoldsTheThread) {
  // Nothing here waits for the desktop at all; a call that did would wait
  // for its 5 s timeout. The bound, half of that, leaves room for a loaded
  // machine's scheduling (791 ms seen while four builds ran), which is no
  // wait of the program's.
  constexpr qint64 kLongestWaitMs = 2500;
  QElapsedTimer clock;
  {
    FakeSession hung(QStringLiteral("mutter,screensaver"));
    ASSERT_TRUE(hung.Ready()) << "dbus-daemon and the fake desktop did not start";
    ASSERT_TRUE(hung.Send("hang"));
    clock.start();
    SessionCycle cycle(hung.Address());
    cycle.Start(10);
    EXPECT_LT(clock.elapsed(), kLongestWaitMs) << "choosing the source waited for the desktop";
  }

  FakeSession session(QStringLiteral("screensaver"));
  ASSERT_TRUE(session.Ready()) << "dbus-daemon and the fake desktop did not start";
  SessionCycle cycle(session.Address());
  cycle.Start(10);
  ASSERT_TRUE(WaitUntil([&] { return cycle.polls == 1; })) << "no answer before the desktop hung";
  ASSERT_TRUE(session.Send("hang"));

  qint64 longest_read = 0;
  qint64 longest_frame = 0;
  QElapsedTimer since_frame;
  since_frame.start();
  QTimer frames;
  QObject::connect(&frames, &QTimer::timeout, [&] { longest_frame = std::max(longest_frame, since_frame.restart()); });
  frames.start(16);
  // Readings as the minute ticks and a break's polls take them, for longer
  // than the desktop is given to answer one.
  QDeadlineTimer end(6000);
  while (!end.hasExpired()) {
    clock.restart();
    cycle.probe_.IdleMs();
    cycle.idle_.LastInputTick();
    longest_read = std::max(longest_read, clock.elapsed());
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_LT(longest_read, kLongestWaitMs);
  EXPECT_LT(longest_frame, kLongestWaitMs) << "a frame of the slide was held up";
  EXPECT_EQ(cycle.probe_.Current(), IdleSourceKind::FreedesktopScreenSaver) << "a slow answer is no departure";
  EXPECT_FALSE(cycle.cycle_.IsIdle()) << "with no answer, the minutes count as work";
}

}  // namespace
}  // namespace quorbel::testing
