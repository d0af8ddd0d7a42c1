#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/unique_fd.h"
#include "settings/atomic_file_platform.h"

namespace quorbel {
namespace fs = std::filesystem;
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

unsigned long CurrentProcessId() { return static_cast<unsigned long>(::getpid()); }

bool WriteNewFileDurably(const fs::path& path, std::string_view bytes) {
  unique_fd file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!file) return false;
  // The umask may only take bits away; the settings are no one else's.
  ::fchmod(file.get(), 0600);
  // A write error may show only when the file is closed.
  if (WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0 && ::close(file.release()) == 0) {
    return true;
  }
  file.reset();
  std::error_code ignored;
  fs::remove(path, ignored);
  return false;
}

void CreatePrivateDirectory(const fs::path& path) {
  if (::mkdir(path.c_str(), 0700) == 0) ::chmod(path.c_str(), 0700);
}

bool CopyFileAttributes(const fs::path& from, const fs::path& to) {
  std::error_code error;
  const fs::file_status status = fs::status(from, error);
  if (!error) fs::permissions(to, status.permissions(), error);
  return !error;
}

bool RenameDurably(const fs::path& from, const fs::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // The new directory entry reaches the disk with the directory's own flush.
  const unique_fd directory(
      ::open(to.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory) ::fsync(directory.get());
  return true;
}

}  // namespace quorbel
