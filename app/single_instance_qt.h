#pragma once
// One instance per user without DDE and without a session bus: a lock file
// makes the first instance, which listens on a local socket; a second one
// writes its command line there and ends. The first acts on the two commands
// of forwarded_command.h and drops anything else.
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "app/app_paths.h"
#include "app/forwarded_command.h"
#include "app/instance_lock_posix.h"
#include "app/local_socket_posix.h"
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
  // A second start's connection while its message arrives.
  struct Peer {
    explicit Peer(unique_fd socket);
    unique_fd socket;
    LocalMessage message;
    QSocketNotifier readable;
    QTimer give_up;
  };
  void AcceptPeers();
  void ReadFrom(int peer_fd);
  void Drop(int peer_fd);

  InstanceAddress address_;
  std::function<void(ForwardedCommand)> on_command_;
  InstanceLockFile lock_;
  unique_fd listener_;
  std::unique_ptr<QSocketNotifier> incoming_;
  std::map<int, std::unique_ptr<Peer>> peers_;
  QObject context_;  // what queued commands and dropped peers run on
};

}  // namespace quorbel
