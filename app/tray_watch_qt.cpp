#include "app/tray_watch_qt.h"

#include <QSystemTrayIcon>

#include <utility>

namespace quorbel {
namespace {

// Asking may cost a D-Bus round trip; a tray that comes or goes is noticed
// soon enough.
constexpr int kReadIntervalMs = 5000;

}  // namespace

TrayWatch::TrayWatch(std::function<void(std::string_view)> say) : say_(std::move(say)) {
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { Read(); });
  timer_.start(kReadIntervalMs);
  Read();
}

void TrayWatch::Read() {
  if (notice_.ShouldSay(QSystemTrayIcon::isSystemTrayAvailable())) say_(kNoTrayNotice);
}

}  // namespace quorbel
