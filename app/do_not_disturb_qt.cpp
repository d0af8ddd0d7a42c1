#include "app/do_not_disturb_qt.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <optional>
#include <utility>

#include "app/disturb_rules.h"
#include "app/x11_full_screen_qt.h"

namespace quorbel {
namespace {

// A source that has not answered by then holds nothing this minute.
constexpr int kAnswerTimeoutMs = 3000;
constexpr size_t kSourceCount = 4;

// Never starts a service that is not running: a desktop without it has
// nothing to hold.
QDBusMessage Call(const QString& service, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
  message.setArguments(arguments);
  message.setAutoStartService(false);
  return message;
}

QDBusMessage NotificationsInhibited() {
  return Call(QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
              QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
              {QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Inhibited")});
}

QDBusMessage XfceDoNotDisturb() {
  return Call(QStringLiteral("org.xfce.Xfconf"), QStringLiteral("/org/xfce/Xfconf"), QStringLiteral("org.xfce.Xfconf"),
              QStringLiteral("GetProperty"), {QStringLiteral("xfce4-notifyd"), QStringLiteral("/do-not-disturb")});
}

// A boolean in a variant answers; an error or anything else does not.
std::optional<bool> BoolAnswer(QDBusPendingCallWatcher& watcher) {
  const QDBusPendingReply<QDBusVariant> reply = watcher;
  if (reply.isError()) return std::nullopt;
  const QVariant value = reply.value().variant();
  if (value.typeId() != QMetaType::Bool) return std::nullopt;
  return value.toBool();
}

}  // namespace

// One question to the desktop: every source asked at once, the verdict given
// once all have answered.
class DisturbQuestion : public QObject {
 public:
  DisturbQuestion(QDBusConnection& bus, DoNotDisturb::Answer answer, std::function<void()> done)
      : votes_(kSourceCount,
               [answer = std::move(answer), done = std::move(done)](bool hold) {
                 answer(hold);
                 done();
               }),
        notifications_(bus.asyncCall(NotificationsInhibited(), kAnswerTimeoutMs)),
        xfce_(bus.asyncCall(XfceDoNotDisturb(), kAnswerTimeoutMs)) {
    for (QDBusPendingCallWatcher* watcher : {&notifications_, &xfce_}) {
      // Calls on a bus that is not there never finish.
      if (!bus.isConnected()) {
        votes_.Add(std::nullopt);
        continue;
      }
      connect(watcher, &QDBusPendingCallWatcher::finished, this,
              [this](QDBusPendingCallWatcher* finished) { votes_.Add(BoolAnswer(*finished)); });
    }
    AskGnome();
    votes_.Add(ActiveWindowIsFullScreen());
  }
  ~DisturbQuestion() override {
    if (gsettings_.state() == QProcess::NotRunning) return;
    gsettings_.kill();
    gsettings_.waitForFinished(1000);
  }

 private:
  // GNOME keeps the switch in GSettings; its own tool reads it, so a missing
  // schema or backend is an error exit here rather than an abort in this
  // process.
  void AskGnome() {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (tool.isEmpty()) return votes_.Add(std::nullopt);
    connect(&gsettings_, &QProcess::finished, this, [this](int exit_code, QProcess::ExitStatus status) {
      const bool read = status == QProcess::NormalExit && exit_code == 0;
      GnomeAnswered(read ? ShowBannersOutputHolds(gsettings_.readAllStandardOutput().toStdString()) : std::nullopt);
    });
    connect(&gsettings_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
      if (error == QProcess::FailedToStart) GnomeAnswered(std::nullopt);
    });
    QTimer::singleShot(kAnswerTimeoutMs, this, [this] { gsettings_.kill(); });
    gsettings_.setStandardInputFile(QProcess::nullDevice());
    gsettings_.setStandardErrorFile(QProcess::nullDevice());
    gsettings_.start(tool, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.notifications"),
                            QStringLiteral("show-banners")});
  }

  void GnomeAnswered(std::optional<bool> busy) {
    if (gnome_answered_) return;
    gnome_answered_ = true;
    votes_.Add(busy);
  }

  DisturbVotes votes_;
  QDBusPendingCallWatcher notifications_;
  QDBusPendingCallWatcher xfce_;
  QProcess gsettings_;
  bool gnome_answered_ = false;
};

QtDoNotDisturb::QtDoNotDisturb(QDBusConnection bus) : bus_(std::move(bus)) {}

QtDoNotDisturb::~QtDoNotDisturb() = default;

void QtDoNotDisturb::Ask(Answer answer) {
  questions_.emplace_back();
  const auto question = std::prev(questions_.end());
  // Removed on the next loop turn: the verdict may come from inside one of
  // the question's own signals.
  *question = std::make_unique<DisturbQuestion>(bus_, std::move(answer), [this, question] {
    QTimer::singleShot(0, this, [this, question] { questions_.erase(question); });
  });
}

}  // namespace quorbel
