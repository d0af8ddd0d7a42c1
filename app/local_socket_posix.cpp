#include "app/local_socket_posix.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace quorbel {
namespace {

using Clock = std::chrono::steady_clock;

// False for a path longer than a socket address holds.
bool AddressOf(const std::filesystem::path& path, sockaddr_un& address) {
  const std::string& name = path.native();
  address = {};
  address.sun_family = AF_UNIX;
  if (name.empty() || name.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
  return true;
}

unique_fd StreamSocket() { return unique_fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)); }

// Waits for `events` on `fd` until `deadline`; false when they did not come.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(left));
    if (ready > 0) return (entry.revents & events) != 0;
    if (ready < 0 && errno != EINTR) return false;
  }
}

bool Connect(int fd, const sockaddr_un& address, Clock::time_point deadline) {
  for (;;) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) return true;
    if (errno == EINPROGRESS) break;
    // A full backlog refuses at once instead of connecting later: ask again
    // while there is time.
    if (errno != EAGAIN || Clock::now() >= deadline) return false;
    ::poll(nullptr, 0, 10);
  }
  if (!WaitFor(fd, POLLOUT, deadline)) return false;
  int error = 0;
  socklen_t size = sizeof(error);
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

bool WriteAll(int fd, std::string_view bytes, Clock::time_point deadline) {
  while (!bytes.empty()) {
    const ssize_t written = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (written > 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else if (written < 0 && errno == EAGAIN) {
      if (!WaitFor(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

unique_fd ListenLocal(const std::filesystem::path& path) {
  sockaddr_un address;
  if (!AddressOf(path, address)) return {};
  unique_fd listener = StreamSocket();
  if (!listener) return {};
  ::unlink(path.c_str());
  if (::bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return {};
  // Only this user may hand the instance a command.
  if (::chmod(path.c_str(), S_IRUSR | S_IWUSR) != 0 || ::listen(listener.get(), SOMAXCONN) != 0) {
    ::unlink(path.c_str());
    return {};
  }
  return listener;
}

unique_fd AcceptLocal(int listener) { return unique_fd(::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)); }

bool LocalMessage::ReadFrom(int peer) {
  char buffer[64];
  for (;;) {
    if (bytes_.size() >= limit_) return true;
    const size_t wanted = std::min(sizeof(buffer), limit_ - bytes_.size());
    const ssize_t got = ::recv(peer, buffer, wanted, 0);
    if (got > 0) {
      bytes_.append(buffer, static_cast<size_t>(got));
    } else if (got == 0) {
      return true;
    } else if (errno == EINTR) {
      continue;
    } else {
      return errno != EAGAIN && errno != EWOULDBLOCK;
    }
  }
}

bool SendLocal(const std::filesystem::path& path, std::string_view bytes, uint32_t timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  sockaddr_un address;
  if (!AddressOf(path, address)) return false;
  unique_fd socket = StreamSocket();
  return socket && Connect(socket.get(), address, deadline) && WriteAll(socket.get(), bytes, deadline);
}

}  // namespace quorbel
