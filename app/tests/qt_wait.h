#pragma once
// Runs Qt's event loop until a condition holds: what a test of real D-Bus or
// Wayland traffic waits on.
#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace quorbel::testing {

// True when `condition` held within `milliseconds`.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
  QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

}  // namespace quorbel::testing
