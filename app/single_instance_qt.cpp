#include "app/single_instance_qt.h"

#include <QLocalSocket>
#include <QMetaObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>
#include <utility>

namespace quorbel {
namespace {

// A second instance must end even when the running one does not answer.
constexpr int kForwardTimeoutMs = 3000;

QString PathText(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

SingleInstance::SingleInstance(InstanceAddress address) : address_(std::move(address)) {}

SingleInstance::~SingleInstance() {
  if (server_) server_->close();
}

LockAttempt SingleInstance::TakeLock() {
  LockAttempt attempt = lock_.Take(address_.lock_file);
  if (attempt.result != InstanceLock::kTaken) return attempt;
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Holding the lock, any socket file there is a crashed instance's.
  QLocalServer::removeServer(PathText(address_.socket));
  if (server_->listen(PathText(address_.socket))) ReadIncoming();
  return attempt;
}

void SingleInstance::ActOnCommands(std::function<void(ForwardedCommand)> on_command) {
  on_command_ = std::move(on_command);
}

void SingleInstance::ReadIncoming() {
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) Read(peer);
  });
}

void SingleInstance::Read(QLocalSocket* peer) {
  auto message = std::make_shared<std::string>();
  QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer, message] {
    message->append(peer->read(static_cast<qint64>(kForwardedMessageLimit - message->size())).toStdString());
    // Longer than any command: the rest stays unread.
    if (message->size() >= kForwardedMessageLimit) peer->abort();
  });
  QObject::connect(peer, &QLocalSocket::disconnected, peer, [this, peer, message] {
    peer->deleteLater();
    const ForwardedCommand command = ParseForwardedCommand(*message);
    if (command == ForwardedCommand::kNone || !on_command_) return;
    // Out of the socket's signal: the command may end the program.
    QMetaObject::invokeMethod(
        server_.get(), [this, command] { on_command_(command); }, Qt::QueuedConnection);
  });
  // A peer that never finishes is dropped like one that says too much.
  QTimer::singleShot(kForwardTimeoutMs, peer, [peer] { peer->abort(); });
}

void SingleInstance::Forward(const Text& command_line) const {
  QLocalSocket socket;
  socket.connectToServer(PathText(address_.socket));
  if (!socket.waitForConnected(kForwardTimeoutMs)) return;
  const std::string bytes = ToUtf8(command_line);
  socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
  socket.waitForBytesWritten(kForwardTimeoutMs);
  socket.disconnectFromServer();
}

}  // namespace quorbel
