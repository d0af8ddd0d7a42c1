#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "common/regular_file.h"
#include "common/regular_file_posix.h"

namespace quorbel {
namespace {

// Reads into `buffer` until it is full or the file ends: the count read, or
// nothing on an error.
std::optional<size_t> ReadInto(int fd, char* buffer, size_t size) {
  size_t filled = 0;
  while (filled < size) {
    const ssize_t got = ::read(fd, buffer + filled, size - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  return filled;
}

}  // namespace

unique_fd OpenRegularFile(const std::filesystem::path& path) {
  unique_fd file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat status {};
  if (!file || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {};
  return file;
}

std::optional<FileHead> ReadFileHead(const std::filesystem::path& path, size_t limit) {
  const unique_fd file = OpenRegularFile(path);
  if (!file) return std::nullopt;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return std::nullopt;

  FileHead head;
  head.size = static_cast<uint64_t>(status.st_size);
  // One byte past the limit tells whether more follows; a file that grew
  // since fstat is still read only to the limit.
  const size_t wanted = limit == SIZE_MAX ? limit : limit + 1;
  size_t capacity = static_cast<size_t>(std::min<uint64_t>(wanted, head.size + 1));
  head.bytes.resize(capacity);
  size_t filled = 0;
  for (;;) {
    const auto got = ReadInto(file.get(), head.bytes.data() + filled, capacity - filled);
    if (!got) return std::nullopt;
    filled += *got;
    if (filled < capacity || capacity == wanted) break;
    capacity = std::min(wanted, capacity * 2);
    head.bytes.resize(capacity);
  }
  head.whole = filled <= limit;
  head.bytes.resize(std::min(filled, limit));
  return head;
}

}  // namespace quorbel
