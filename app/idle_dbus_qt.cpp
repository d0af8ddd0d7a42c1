#include "app/idle_dbus_qt.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

#include <algorithm>
#include <limits>
#include <utility>

namespace quorbel {
namespace {

const QString kMutterService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kMutterPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kMutterInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kScreenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");

// A service that has not answered by then has failed the question; the
// thread goes on meanwhile. Answers come to the probe's slots, and none
// comes once the probe is gone.
constexpr int kAnswerTimeoutMs = 5000;

// Calls go to the connection that owned the name when the probe was made:
// watches belong to that owner, and a restarted monitor gives their numbers
// to watches of other programs.
QDBusMessage MutterCall(const QString& owner, const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage message = QDBusMessage::createMethodCall(owner, kMutterPath, kMutterInterface, method);
  message.setArguments(arguments);
  return message;
}

// The unique name of the connection that holds `service`; empty when none
// does. The bus itself answers this, not the desktop service.
QString OwnerOf(const QDBusConnection& bus, const QString& service) {
  const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
  return daemon ? daemon->serviceOwner(service).value() : QString();
}

// No answer in time is one failed reading; any other error says that the
// service cannot serve as a source.
bool Refused(const QDBusError& error) {
  return error.type() != QDBusError::NoReply && error.type() != QDBusError::Timeout;
}

// Takes a reading of `answer`, asking `ask` when a question must go out.
std::optional<uint32_t> Read(IdleAnswer& answer, const std::function<void()>& ask) {
  const IdleAnswer::Taken taken = answer.Take();
  if (taken.ask) ask();
  return taken.idle_ms;
}

void Answer(IdleAnswer& answer, std::optional<uint32_t> idle_ms, const IdleSourceEvents& events) {
  if (answer.OnAnswer(idle_ms) && events.changed) events.changed();
}

void AnswerError(IdleAnswer& answer, const QDBusError& error, const IdleSourceEvents& events) {
  if (Refused(error) && events.vanished) return events.vanished();
  answer.OnAnswer(std::nullopt);
}

void WatchUnregistration(QDBusServiceWatcher& watcher, std::function<void()> vanished) {
  QObject::connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, &watcher,
                   [vanished = std::move(vanished)] {
                     if (vanished) vanished();
                   });
}

}  // namespace

IdleServiceArrivals::IdleServiceArrivals(QDBusConnection bus, std::function<void(IdleSourceKind)> arrived)
    : watcher_(kMutterService, bus, QDBusServiceWatcher::WatchForRegistration) {
  watcher_.addWatchedService(kScreenSaverService);
  QObject::connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, &watcher_,
                   [arrived = std::move(arrived)](const QString& service) {
                     if (arrived) {
                       arrived(service == kMutterService ? IdleSourceKind::MutterIdleMonitor
                                                         : IdleSourceKind::FreedesktopScreenSaver);
                     }
                   });
}

MutterIdleProbe::MutterIdleProbe(QDBusConnection bus, uint32_t break_ms, IdleSourceEvents events)
    : bus_(std::move(bus)),
      events_(std::move(events)),
      watcher_(kMutterService, bus_, QDBusServiceWatcher::WatchForUnregistration) {
  owner_ = OwnerOf(bus_, kMutterService);
  available_ = !owner_.isEmpty();
  if (!available_) return;
  WatchUnregistration(watcher_, events_.vanished);
  bus_.connect(owner_, kMutterPath, kMutterInterface, QStringLiteral("WatchFired"), this,
               SLOT(OnWatchFired(uint)));
  bus_.callWithCallback(MutterCall(owner_, QStringLiteral("AddIdleWatch"), {QVariant::fromValue(qulonglong{break_ms})}),
                        this, SLOT(OnIdleWatch(uint)), SLOT(OnWatchRefused(QDBusError)), kAnswerTimeoutMs);
}

MutterIdleProbe::~MutterIdleProbe() {
  for (const uint watch : {idle_watch_, active_watch_}) {
    if (watch != 0) bus_.call(MutterCall(owner_, QStringLiteral("RemoveWatch"), {watch}), QDBus::NoBlock);
  }
}

std::optional<uint32_t> MutterIdleProbe::IdleMs() {
  return Read(idle_time_, [this] {
    bus_.callWithCallback(MutterCall(owner_, QStringLiteral("GetIdletime")), this, SLOT(OnIdleTime(qulonglong)),
                          SLOT(OnIdleTimeError(QDBusError)), kAnswerTimeoutMs);
  });
}

void MutterIdleProbe::OnIdleTime(qulonglong ms) {
  Answer(idle_time_, static_cast<uint32_t>(std::min<qulonglong>(ms, std::numeric_limits<uint32_t>::max())),
         events_);
}

void MutterIdleProbe::OnIdleTimeError(const QDBusError& error) { AnswerError(idle_time_, error, events_); }

void MutterIdleProbe::OnIdleWatch(uint id) {
  if (id == 0) return OnWatchRefused(QDBusError());
  idle_watch_ = id;
}

void MutterIdleProbe::OnActiveWatch(uint id) {
  active_watch_asked_ = false;
  if (id == 0) return OnWatchRefused(QDBusError());
  active_watch_ = id;
}

// Without its watches the source would miss the break or the return:
// another source must take over, whatever the error.
void MutterIdleProbe::OnWatchRefused(const QDBusError&) {
  if (events_.vanished) events_.vanished();
}

void MutterIdleProbe::OnWatchFired(uint id) {
  if (id == 0) return;
  if (id == idle_watch_) {
    WatchForReturn();
  } else if (id == active_watch_) {
    active_watch_ = 0;
  } else {
    return;
  }
  if (events_.changed) events_.changed();
}

void MutterIdleProbe::WatchForReturn() {
  if (active_watch_ != 0 || active_watch_asked_) return;
  active_watch_asked_ = true;
  bus_.callWithCallback(MutterCall(owner_, QStringLiteral("AddUserActiveWatch")), this, SLOT(OnActiveWatch(uint)),
                        SLOT(OnWatchRefused(QDBusError)), kAnswerTimeoutMs);
}

ScreenSaverIdleProbe::ScreenSaverIdleProbe(QDBusConnection bus, IdleSourceEvents events)
    : bus_(std::move(bus)),
      events_(std::move(events)),
      watcher_(kScreenSaverService, bus_, QDBusServiceWatcher::WatchForUnregistration) {
  available_ = !OwnerOf(bus_, kScreenSaverService).isEmpty();
  if (available_) WatchUnregistration(watcher_, events_.vanished);
}

// The session idle time in milliseconds, as KDE's screen locker answers it.
std::optional<uint32_t> ScreenSaverIdleProbe::IdleMs() {
  return Read(idle_time_, [this] {
    const QDBusMessage message = QDBusMessage::createMethodCall(
        kScreenSaverService, kScreenSaverPath, kScreenSaverInterface, QStringLiteral("GetSessionIdleTime"));
    bus_.callWithCallback(message, this, SLOT(OnIdleTime(uint)), SLOT(OnIdleTimeError(QDBusError)),
                          kAnswerTimeoutMs);
  });
}

void ScreenSaverIdleProbe::OnIdleTime(uint ms) { Answer(idle_time_, ms, events_); }

void ScreenSaverIdleProbe::OnIdleTimeError(const QDBusError& error) { AnswerError(idle_time_, error, events_); }

}  // namespace quorbel
