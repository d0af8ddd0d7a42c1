#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "common/unique_fd.h"
#include "settings/atomic_file.h"
#include "settings/update_lock.h"

namespace quorbel {

// The directory itself is locked, not a file in it: it is never replaced,
// and no lock file lies beside the user's settings.
struct UpdateLock::Held {
  unique_fd directory;
};

UpdateLock::UpdateLock(const std::filesystem::path& file) {
  const std::filesystem::path directory = file.parent_path();
  if (directory.empty()) return;
  CreatePrivateDirectories(directory);
  unique_fd handle(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!handle) return;
  int locked = -1;
  do {
    locked = ::flock(handle.get(), LOCK_EX);
  } while (locked != 0 && errno == EINTR);
  if (locked == 0) held_ = std::make_unique<Held>(Held{std::move(handle)});
}

UpdateLock::~UpdateLock() = default;

}  // namespace quorbel
