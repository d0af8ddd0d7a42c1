#pragma once
// Files the program only reads (settings, images, sounds), opened so that
// whatever stands in a file's place (a FIFO, a device, a directory) neither
// holds the program up nor is read, and read no further than the caller asks.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace quorbel {

struct FileHead {
  std::string bytes;   // the file's first bytes, no more than were asked for
  bool whole = false;  // nothing follows them
  uint64_t size = 0;   // the file's size as the system gave it when opened
};

// The first `limit` bytes of the regular file at `path` (a symbolic link is
// followed); nothing when no regular file is there or it cannot be read.
std::optional<FileHead> ReadFileHead(const std::filesystem::path& path, size_t limit);

// Whether `path` names a regular file this process may read.
inline bool IsReadableFile(const std::filesystem::path& path) {
  return ReadFileHead(path, 0).has_value();
}

}  // namespace quorbel
