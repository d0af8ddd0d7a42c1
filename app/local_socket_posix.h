#pragma once
// A stream socket in the file system, for the one message a second start
// hands the running instance: a plain AF_UNIX socket costs the program
// nothing that a socket class of a network library would add.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/unique_fd.h"

namespace quorbel {

// A listening socket at `path`, non-blocking and for this user alone; any
// socket file already there is replaced (its owner no longer holds the
// instance lock). Invalid when it could not be made.
unique_fd ListenLocal(const std::filesystem::path& path);

// One waiting peer of a listening socket, non-blocking; invalid when none
// waits.
unique_fd AcceptLocal(int listener);

// What a peer sent, read as it arrives and at most `limit` bytes.
class LocalMessage {
 public:
  explicit LocalMessage(size_t limit) : limit_(limit) {}
  // Reads what `peer` has now. True when the message is complete: the peer
  // closed its end, it said `limit` bytes, or the connection failed.
  bool ReadFrom(int peer);
  const std::string& Bytes() const { return bytes_; }

 private:
  size_t limit_;
  std::string bytes_;
};

// Connects to `path`, writes `bytes` and closes; false when that did not
// happen within `timeout_ms` in all.
bool SendLocal(const std::filesystem::path& path, std::string_view bytes, uint32_t timeout_ms);

}  // namespace quorbel
