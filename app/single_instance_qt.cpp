#include "app/single_instance_qt.h"

#include <QLocalSocket>
#include <QString>

#include <string>

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
  if (server_->listen(PathText(address_.socket))) DropIncoming();
  return attempt;
}

void SingleInstance::DropIncoming() {
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [server = server_.get()] {
    while (QLocalSocket* peer = server->nextPendingConnection()) {
      // There are no command-line options: what arrives is read and dropped.
      QObject::connect(peer, &QLocalSocket::readyRead, peer, [peer] { peer->readAll(); });
      QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
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
