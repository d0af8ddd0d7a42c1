#include "app/single_instance_qt.h"

#include <QMetaObject>

#include <utility>

namespace quorbel {
namespace {

// A second instance must end even when the running one does not answer.
constexpr int kForwardTimeoutMs = 3000;

}  // namespace

SingleInstance::Peer::Peer(unique_fd peer_socket)
    : socket(std::move(peer_socket)),
      message(kForwardedMessageLimit),
      readable(socket.get(), QSocketNotifier::Read) {
  give_up.setSingleShot(true);
}

SingleInstance::SingleInstance(InstanceAddress address) : address_(std::move(address)) {}

SingleInstance::~SingleInstance() {
  peers_.clear();
  incoming_.reset();
  if (listener_) ::unlink(address_.socket.c_str());
}

LockAttempt SingleInstance::TakeLock() {
  LockAttempt attempt = lock_.Take(address_.lock_file);
  if (attempt.result != InstanceLock::kTaken) return attempt;
  // Holding the lock, any socket file there is a crashed instance's.
  listener_ = ListenLocal(address_.socket);
  if (listener_) {
    incoming_ = std::make_unique<QSocketNotifier>(listener_.get(), QSocketNotifier::Read);
    QObject::connect(incoming_.get(), &QSocketNotifier::activated, &context_, [this] { AcceptPeers(); });
  }
  return attempt;
}

void SingleInstance::ActOnCommands(std::function<void(ForwardedCommand)> on_command) {
  on_command_ = std::move(on_command);
}

void SingleInstance::AcceptPeers() {
  while (unique_fd socket = AcceptLocal(listener_.get())) {
    const int fd = socket.get();
    auto peer = std::make_unique<Peer>(std::move(socket));
    QObject::connect(&peer->readable, &QSocketNotifier::activated, &context_, [this, fd] { ReadFrom(fd); });
    // A peer that never finishes is dropped like one that says too much.
    QObject::connect(&peer->give_up, &QTimer::timeout, &context_, [this, fd] { Drop(fd); });
    peer->give_up.start(kForwardTimeoutMs);
    peers_[fd] = std::move(peer);
  }
}

void SingleInstance::ReadFrom(int peer_fd) {
  const auto found = peers_.find(peer_fd);
  if (found == peers_.end() || !found->second->message.ReadFrom(peer_fd)) return;
  const ForwardedCommand command = ParseForwardedCommand(found->second->message.Bytes());
  Drop(peer_fd);
  if (command == ForwardedCommand::kNone || !on_command_) return;
  // Out of the notifier's signal: the command may end the program.
  QMetaObject::invokeMethod(
      &context_, [this, command] { on_command_(command); }, Qt::QueuedConnection);
}

void SingleInstance::Drop(int peer_fd) {
  const auto found = peers_.find(peer_fd);
  if (found == peers_.end()) return;
  found->second->readable.setEnabled(false);
  // Not from inside the peer's own signal: deleted once the loop is back.
  QMetaObject::invokeMethod(
      &context_, [peer = std::shared_ptr<Peer>(std::move(found->second))] {}, Qt::QueuedConnection);
  peers_.erase(found);
}

void SingleInstance::Forward(const Text& command_line) const {
  SendLocal(address_.socket, ToUtf8(command_line), kForwardTimeoutMs);
}

}  // namespace quorbel
