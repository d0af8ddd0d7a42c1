#include "app/instance_lock_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quorbel {

namespace {

LockAttempt Failure(const std::string& why) { return {InstanceLock::kFailed, why}; }

LockAttempt SystemFailure() { return Failure(std::strerror(errno)); }

}  // namespace

LockAttempt InstanceLockFile::Take(const std::filesystem::path& path) {
  unique_fd file(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!file) return SystemFailure();
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return SystemFailure();
  // Another user's file could be held by another user's process.
  if (info.st_uid != ::geteuid()) return Failure("the file belongs to another user");
  ::fchmod(file.get(), 0600);
  if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return {InstanceLock::kHeldByAnother, ""};
    return SystemFailure();
  }
  file_ = std::move(file);
  return {InstanceLock::kTaken, ""};
}

}  // namespace quorbel
