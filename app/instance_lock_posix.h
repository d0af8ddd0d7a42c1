#pragma once
// The single-instance lock: an advisory lock on a file of the user's own.
// The system drops it when its holder ends, however it ends, so a lock that
// is held always means a live instance.
#include <filesystem>
#include <string>

#include "app/entry.h"
#include "common/unique_fd.h"

namespace quorbel {

struct LockAttempt {
  InstanceLock result = InstanceLock::kFailed;
  std::string failure;  // why, when the lock could not be taken
};

class InstanceLockFile {
 public:
  // Creates the file when it is missing (for its owner only) and locks it
  // for as long as this object lives.
  LockAttempt Take(const std::filesystem::path& path);

 private:
  unique_fd file_;
};

}  // namespace quorbel
