#pragma once
// Copies of the program that read, change and replace a settings file take
// turns: each holds this lock from its read to its rename, so none writes
// back a file it read before another's change and loses that change. (Two
// copies run at once where one user has two displays.)
#include <filesystem>
#include <memory>

namespace quorbel {

class UpdateLock {
 public:
  // Waits for the lock of the directory that holds `file`, made first (for
  // the user alone) when it is missing. The lock is only held a read and a
  // replacement long. Where it cannot be had (no such directory can be made,
  // a file system without locks), the update goes on without it, as it does
  // with one copy running. Locks of one directory are not nested.
  explicit UpdateLock(const std::filesystem::path& file);
  ~UpdateLock();
  UpdateLock(const UpdateLock&) = delete;
  UpdateLock& operator=(const UpdateLock&) = delete;

 private:
  struct Held;
  std::unique_ptr<Held> held_;
};

}  // namespace quorbel
