#pragma once
// One instance per user without DDE and without a session bus: a lock file
// makes the first instance, which listens on a local socket; a second one
// writes its command line there and ends. The first acts on the two commands
// of forwarded_command.h and drops anything else.
#include <QLocalServer>
#include <QLocalSocket>

#include <functional>
#include <memory>

#include "app/app_paths.h"
#include "app/forwarded_command.h"
#include "app/instance_lock_posix.h"
#include "common/text.h"

namespace quorbel {

class SingleInstance {
 public:
  explicit SingleInstance(InstanceAddress address);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  ~SingleInstance();

  // kTaken when this process is the first instance; it then listens for
  // second ones. A socket left by a crashed instance is taken over.
  LockAttempt TakeLock();
  // Sends `command_line` to the first instance; every failure is ignored, and
  // the wait for an instance that does not answer is bounded.
  void Forward(const Text& command_line) const;
  // Calls `on_command`, from the event loop, for each second start whose
  // command line is exactly a command; until then every one is dropped.
  void ActOnCommands(std::function<void(ForwardedCommand)> on_command);

 private:
  void ReadIncoming();
  void Read(QLocalSocket* peer);

  InstanceAddress address_;
  std::function<void(ForwardedCommand)> on_command_;
  InstanceLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace quorbel
