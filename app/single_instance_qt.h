#pragma once
// One instance per user without DDE and without a session bus: a lock file
// makes the first instance, which listens on a local socket; a second one
// writes its command line there and ends. The first reads and drops it.
#include <QLocalServer>

#include <memory>

#include "app/app_paths.h"
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

 private:
  void DropIncoming();

  InstanceAddress address_;
  InstanceLockFile lock_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace quorbel
