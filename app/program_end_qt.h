#pragma once
// Ends the program as the tray menu's Exit does when the system asks for it:
// SIGTERM, SIGINT and SIGHUP, and the session manager's quit at the end of
// the session. A signal handler may do next to nothing, so it only writes to a
// pipe that the event loop reads.
#include <QObject>

#include <functional>
#include <memory>

namespace quorbel {

class ProgramEnd : public QObject {
 public:
  // `end` runs once, from the event loop: the first signal or quit request.
  explicit ProgramEnd(std::function<void()> end);
  ~ProgramEnd() override;  // the signals' earlier handlers come back

 protected:
  // The quit request asks every window to close and is refused when one
  // does not (the panel lets only Exit close it); `end` runs first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
