#pragma once
// Where the Linux program keeps its instance lock and socket. A lock only
// tells a running instance of this user from a failure when no other user
// can reach it: the directory must be the user's own and closed to others.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quorbel {

// What the system reports of a directory entry.
struct DirectoryFacts {
  bool exists = false;
  bool symbolic_link = false;
  bool directory = false;
  uint32_t owner = 0;
  uint32_t permissions = 0;  // the nine rwx bits
  bool writable = false;
};

// The system calls behind the choice (instance_directory_posix.cpp).
class DirectorySystem {
 public:
  virtual ~DirectorySystem() = default;
  // `follow_links`: report what a symbolic link at `path` points to.
  virtual DirectoryFacts Inspect(const std::filesystem::path& path, bool follow_links) = 0;
  // Creates the directory with access for its owner only.
  virtual void MakePrivateDirectory(const std::filesystem::path& path) = 0;
  virtual void RestrictToOwner(const std::filesystem::path& path) = 0;
};

struct InstanceDirectory {
  std::filesystem::path path;  // empty when no directory may be used
  std::string notice;          // for standard error: a fallback, or why none
};

// $XDG_RUNTIME_DIR when it is private to the user; else a directory of the
// user's own in the temporary directory, made or closed to others here, and
// refused when it is a symbolic link or belongs to another user.
InstanceDirectory ChooseInstanceDirectory(std::string_view runtime_dir_env, const std::filesystem::path& temp_dir,
                                          uint32_t uid, DirectorySystem& system);

}  // namespace quorbel
