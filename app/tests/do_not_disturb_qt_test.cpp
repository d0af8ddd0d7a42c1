// The Linux do-not-disturb sources against fake desktop services on a
// private bus: a real dbus-daemon and real asynchronous calls.
#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

#include "app/do_not_disturb_qt.h"
#include "app/tests/qt_wait.h"

namespace quorbel::testing {
namespace {

// One boolean a desktop service reports: as a property of the notification
// server or as an xfconf setting. It can also fail the call or never answer.
class FakeSetting : public QDBusVirtualObject {
 public:
  enum class Mode { Answer, Fail, Hang };
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    ++calls;
    if (mode == Mode::Hang) return true;
    if (mode == Mode::Fail) {
      connection.send(message.createErrorReply(QStringLiteral("org.xfce.Xfconf.Error.PropertyNotFound"),
                                               QStringLiteral("no such property")));
      return true;
    }
    connection.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
    return true;
  }
  QString introspect(const QString&) const override { return {}; }

  bool value = false;
  Mode mode = Mode::Answer;
  int calls = 0;
};

class QtDoNotDisturbTest : public ::testing::Test {
 protected:
  QtDoNotDisturbTest() {
    // GNOME's switch reads as its default: banners shown.
    qputenv("GSETTINGS_BACKEND", "memory");
    bus_daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!bus_daemon_.waitForReadyRead(5000)) return;
    address_ = QString::fromUtf8(bus_daemon_.readLine()).trimmed();
    client_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("dnd-client")));
  }
  ~QtDoNotDisturbTest() override {
    client_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("dnd-client"));
    QDBusConnection::disconnectFromBus(QStringLiteral("dnd-desktop"));
    bus_daemon_.kill();
    bus_daemon_.waitForFinished(2000);
  }

  void StartDesktop() {
    QDBusConnection desktop = QDBusConnection::connectToBus(address_, QStringLiteral("dnd-desktop"));
    ASSERT_TRUE(desktop.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &notifications_));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.Notifications")));
    ASSERT_TRUE(desktop.registerVirtualObject(QStringLiteral("/org/xfce/Xfconf"), &xfconf_));
    ASSERT_TRUE(desktop.registerService(QStringLiteral("org.xfce.Xfconf")));
  }

  // The verdicts given, once the adapter's question has been answered.
  std::optional<bool> AskAndWait(QtDoNotDisturb& do_not_disturb, int milliseconds = 2000) {
    std::vector<bool> answers;
    do_not_disturb.Ask([&](bool hold) { answers.push_back(hold); });
    if (!WaitUntil([&] { return !answers.empty(); }, milliseconds)) return std::nullopt;
    WaitUntil([] { return false; }, 100);  // a second answer would come now
    EXPECT_EQ(answers.size(), 1u);
    return answers.front();
  }

  QProcess bus_daemon_;
  QString address_;
  std::unique_ptr<QDBusConnection> client_;
  FakeSetting notifications_;
  FakeSetting xfconf_;
};

TEST_F(QtDoNotDisturbTest, ADesktopWithoutTheServicesHoldsNothing) {
  ASSERT_TRUE(client_ && client_->isConnected());
  QtDoNotDisturb do_not_disturb(*client_);
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(false));
}

TEST_F(QtDoNotDisturbTest, NoSessionBusHoldsNothing) {
  QDBusConnection none =
      QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"), QStringLiteral("dnd-none"));
  ASSERT_FALSE(none.isConnected());
  QtDoNotDisturb do_not_disturb(none);
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(false));
  QDBusConnection::disconnectFromBus(QStringLiteral("dnd-none"));
}

TEST_F(QtDoNotDisturbTest, EitherServiceSayingBusyHoldsAndAFailedOneCountsAsNot) {
  ASSERT_TRUE(client_ && client_->isConnected());
  StartDesktop();
  QtDoNotDisturb do_not_disturb(*client_);
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(false));
  EXPECT_EQ(notifications_.calls, 1);
  EXPECT_EQ(xfconf_.calls, 1);

  notifications_.value = true;  // inhibited
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(true));
  notifications_.value = false;
  xfconf_.value = true;  // XFCE's do-not-disturb
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(true));
  xfconf_.mode = FakeSetting::Mode::Fail;
  EXPECT_EQ(AskAndWait(do_not_disturb), std::optional<bool>(false));
}

TEST_F(QtDoNotDisturbTest, GnomesBannersSwitchedOffHold) {
  ASSERT_TRUE(client_ && client_->isConnected());
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  QDir().mkpath(config.filePath(QStringLiteral("glib-2.0/settings")));
  QFile keyfile(config.filePath(QStringLiteral("glib-2.0/settings/keyfile")));
  ASSERT_TRUE(keyfile.open(QIODevice::WriteOnly));
  keyfile.write("[org/gnome/desktop/notifications]\nshow-banners=false\n");
  keyfile.close();
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  qputenv("GSETTINGS_BACKEND", "keyfile");
  QtDoNotDisturb do_not_disturb(*client_);
  const std::optional<bool> hold = AskAndWait(do_not_disturb);
  qputenv("GSETTINGS_BACKEND", "memory");
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(hold, std::optional<bool>(true));
}

TEST_F(QtDoNotDisturbTest, AHangingServiceDelaysTheAnswerButDoesNotHold) {
  ASSERT_TRUE(client_ && client_->isConnected());
  StartDesktop();
  notifications_.mode = FakeSetting::Mode::Hang;
  QtDoNotDisturb do_not_disturb(*client_);
  std::vector<bool> answers;
  do_not_disturb.Ask([&](bool hold) { answers.push_back(hold); });
  EXPECT_TRUE(answers.empty());
  EXPECT_TRUE(WaitUntil([&] { return !answers.empty(); }, 6000));
  EXPECT_EQ(answers, std::vector<bool>{false});
}

TEST_F(QtDoNotDisturbTest, AnAdapterGoneBeforeTheAnswerCallsNobody) {
  ASSERT_TRUE(client_ && client_->isConnected());
  StartDesktop();
  notifications_.mode = FakeSetting::Mode::Hang;
  bool answered = false;
  {
    QtDoNotDisturb do_not_disturb(*client_);
    do_not_disturb.Ask([&](bool) { answered = true; });
  }
  WaitUntil([] { return false; }, 500);
  EXPECT_FALSE(answered);
}

}  // namespace
}  // namespace quorbel::testing
