// The Wayland idle source against a real compositor: KWin's headless
// ("virtual") session, which offers ext-idle-notify-v1. Nothing here can
// make input reach it, so the return of the user is the handler's unit test
// (IdleNotifyState); this checks the protocol itself: the binding, the idled
// event, a compositor that goes away, and the session's choice.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/idle_wayland_qt.h"
#include "app/session_idle_qt.h"
#include "app/tests/qt_wait.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;
using testing::WaitUntil;

// A headless KWin on a socket of the test's own.
class HeadlessCompositor {
 public:
  HeadlessCompositor() {
    dir_ = fs::temp_directory_path() / ("quorbel-wayland-" + std::to_string(getpid()));
    fs::create_directories(dir_ / "run");
    fs::permissions(dir_ / "run", fs::perms::owner_all, fs::perm_options::replace);
    // The package gives kwin_wayland a file capability, which a container
    // may refuse to execute; a copy has none. KWin loads its own platform
    // plugin only under its own name.
    fs::create_directories(dir_ / "bin");
    std::error_code error;
    fs::copy_file("/usr/bin/kwin_wayland", dir_ / "bin" / "kwin_wayland", error);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString((dir_ / "run").string()));
    environment.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("Q"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    kwin_.setProcessEnvironment(environment);
    kwin_.setProcessChannelMode(QProcess::MergedChannels);
    kwin_.start(QString::fromStdString((dir_ / "bin" / "kwin_wayland").string()),
                {QStringLiteral("--virtual"), QStringLiteral("--socket"), QStringLiteral("quorbel-wl"),
                 QStringLiteral("--no-lockscreen"), QStringLiteral("--no-global-shortcuts"),
                 QStringLiteral("--no-kactivities"), QStringLiteral("--width"), QStringLiteral("640"),
                 QStringLiteral("--height"), QStringLiteral("480")});
    setenv("WAYLAND_DISPLAY", Socket().c_str(), 1);
  }
  ~HeadlessCompositor() {
    Stop();
    unsetenv("WAYLAND_DISPLAY");
    std::error_code error;
    fs::remove_all(dir_, error);
  }

  std::string Socket() const { return (dir_ / "run" / "quorbel-wl").string(); }
  bool Started() {
    return WaitUntil([this] { return fs::exists(Socket()) || kwin_.state() == QProcess::NotRunning; }, 15000) &&
           kwin_.state() == QProcess::Running;
  }
  std::string Output() { return kwin_.readAll().toStdString(); }
  void Stop() {
    kwin_.terminate();
    if (!kwin_.waitForFinished(5000)) kwin_.kill();
    kwin_.waitForFinished(2000);
  }

 private:
  fs::path dir_;
  QProcess kwin_;
};

// The socket appears before KWin takes clients; a probe made too early just
// finds no notifier yet.
std::unique_ptr<WaylandIdleProbe> ConnectedProbe(uint32_t timeout_ms, IdleSourceEvents events) {
  std::unique_ptr<WaylandIdleProbe> probe;
  WaitUntil(
      [&] {
        probe = std::make_unique<WaylandIdleProbe>(timeout_ms, events);
        return probe->Available();
      },
      10000);
  return probe;
}

TEST(WaylandIdle, TheCompositorSaysWhenTheSeatIsIdleAndWhenItGoesAway) {
  HeadlessCompositor compositor;
  ASSERT_TRUE(compositor.Started()) << compositor.Output();
  int changes = 0;
  int vanished = 0;
  auto probe = ConnectedProbe(1000, {[&] { ++changes; }, [&] { ++vanished; }});
  ASSERT_TRUE(probe->Available()) << "no ext_idle_notifier_v1 and wl_seat\n" << compositor.Output();
  EXPECT_TRUE(probe->ReportsChanges());
  EXPECT_FALSE(probe->SeesInputAlone()) << "KWin 5.27 offers version 1: the fallback is what runs here";

  ASSERT_TRUE(WaitUntil([&] { return changes >= 1; })) << "no idled event after 1 s without input";
  EXPECT_GE(*probe->IdleMs(), 1000u);

  compositor.Stop();
  EXPECT_TRUE(WaitUntil([&] { return vanished == 1; })) << "the closed connection went unnoticed";
}

TEST(WaylandIdle, AWaylandSessionWithoutDesktopServicesTakesTheCompositorAndFallsBackWhenItEnds) {
  HeadlessCompositor compositor;
  ASSERT_TRUE(compositor.Started()) << compositor.Output();
  ASSERT_TRUE(ConnectedProbe(1000, {})->Available()) << compositor.Output();

  std::vector<std::string> said;
  int replaced = 0;
  SessionIdleProbe session(QDBusConnection(QStringLiteral("quorbel-no-bus")),
                           [&](const std::string& line) { said.push_back(line); });
  session.SetListener({{}, [&] { ++replaced; }});
  ASSERT_EQ(session.Current(), IdleSourceKind::WaylandIdleNotify);
  ASSERT_EQ(said.size(), 2u);
  EXPECT_NE(said[0].find("ext-idle-notify-v1"), std::string::npos) << said[0];
  EXPECT_EQ(said[1], IdleInhibitorMessage()) << "version 1 only: the user is told what a playing video does";
  EXPECT_EQ(session.IdleMs(), 0u) << "no notification yet: working";

  compositor.Stop();
  EXPECT_TRUE(WaitUntil([&] { return replaced == 1; }));
  EXPECT_EQ(session.Current(), std::nullopt) << "no X server in an offscreen test";
  EXPECT_NE(said.back().find("the Wayland compositor (ext-idle-notify-v1) went away"), std::string::npos)
      << said.back();
}

}  // namespace
}  // namespace quorbel
