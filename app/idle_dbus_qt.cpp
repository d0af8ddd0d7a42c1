#include "app/idle_dbus_qt.h"

#include <QDBusMessage>
#include <QDBusReply>

#include <algorithm>
#include <limits>


namespace quorbel {
namespace {

const QString kMutterService = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kMutterPath = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString kMutterInterface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString kScreenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString kScreenSaverInterface = QStringLiteral("org.freedesktop.ScreenSaver");

// The user-interface thread waits for these answers: a desktop that hangs
// must not hang the program with it.
constexpr int kCallTimeoutMs = 1000;

QDBusMessage Call(QDBusConnection& bus, const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments = {}) {
  QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
  message.setArguments(arguments);
  return bus.call(message, QDBus::Block, kCallTimeoutMs);
}

QDBusMessage CallMutter(QDBusConnection& bus, const QString& method, const QVariantList& arguments = {}) {
  return Call(bus, kMutterService, kMutterPath, kMutterInterface, method, arguments);
}

template <typename T>
std::optional<T> ReplyValue(const QDBusMessage& reply) {
  const QDBusReply<T> value(reply);
  if (!value.isValid()) return std::nullopt;
  return value.value();
}

std::optional<uint32_t> ClampedMs(std::optional<qulonglong> ms) {
  if (!ms) return std::nullopt;
  return static_cast<uint32_t>(std::min<qulonglong>(*ms, std::numeric_limits<uint32_t>::max()));
}

void WatchUnregistration(QDBusServiceWatcher& watcher, std::function<void()> vanished) {
  QObject::connect(&watcher, &QDBusServiceWatcher::serviceUnregistered, &watcher,
                   [vanished = std::move(vanished)] {
                     if (vanished) vanished();
                   });
}

}  // namespace

MutterIdleProbe::MutterIdleProbe(QDBusConnection bus, uint32_t break_ms, IdleSourceEvents events)
    : bus_(std::move(bus)),
      events_(std::move(events)),
      watcher_(kMutterService, bus_, QDBusServiceWatcher::WatchForUnregistration) {
  WatchUnregistration(watcher_, events_.vanished);
  bus_.connect(kMutterService, kMutterPath, kMutterInterface, QStringLiteral("WatchFired"), this,
               SLOT(OnWatchFired(uint)));
  idle_watch_ = ReplyValue<uint>(CallMutter(bus_, QStringLiteral("AddIdleWatch"),
                                            {QVariant::fromValue(qulonglong{break_ms})}))
                    .value_or(0);
}

MutterIdleProbe::~MutterIdleProbe() {
  for (const uint watch : {idle_watch_, active_watch_}) {
    if (watch == 0) continue;
    QDBusMessage message =
        QDBusMessage::createMethodCall(kMutterService, kMutterPath, kMutterInterface, QStringLiteral("RemoveWatch"));
    message.setArguments({watch});
    bus_.call(message, QDBus::NoBlock);
  }
}

std::optional<uint32_t> MutterIdleProbe::IdleMs() {
  return ClampedMs(ReplyValue<qulonglong>(CallMutter(bus_, QStringLiteral("GetIdletime"))));
}


void MutterIdleProbe::OnWatchFired(uint id) {
  if (id == 0) return;
  if (id == idle_watch_) {
    WatchForReturn();
    if (active_watch_ == 0) return;
  } else if (id == active_watch_) {
    active_watch_ = 0;
  } else {
    return;
  }
  if (events_.changed) events_.changed();
}

void MutterIdleProbe::WatchForReturn() {
  if (active_watch_ != 0) return;
  active_watch_ = ReplyValue<uint>(CallMutter(bus_, QStringLiteral("AddUserActiveWatch"))).value_or(0);
  // Without it the user's return would go unheard: another source must take over.
  if (active_watch_ == 0 && events_.vanished) events_.vanished();
}

ScreenSaverIdleProbe::ScreenSaverIdleProbe(QDBusConnection bus, IdleSourceEvents events)
    : bus_(std::move(bus)), watcher_(kScreenSaverService, bus_, QDBusServiceWatcher::WatchForUnregistration) {
  WatchUnregistration(watcher_, std::move(events.vanished));
  available_ = IdleMs().has_value();
}

// The session idle time in milliseconds, as KDE's screen locker answers it.
std::optional<uint32_t> ScreenSaverIdleProbe::IdleMs() {
  return ReplyValue<uint>(
      Call(bus_, kScreenSaverService, kScreenSaverPath, kScreenSaverInterface, QStringLiteral("GetSessionIdleTime")));
}


}  // namespace quorbel
