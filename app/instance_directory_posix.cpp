#include "app/instance_directory_posix.h"

#include <sys/stat.h>
#include <unistd.h>

namespace quorbel {

DirectoryFacts PosixDirectorySystem::Inspect(const std::filesystem::path& path, bool follow_links) {
  struct stat info {};
  const int status = follow_links ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info);
  if (status != 0) return {};
  DirectoryFacts facts;
  facts.exists = true;
  facts.symbolic_link = S_ISLNK(info.st_mode);
  facts.directory = S_ISDIR(info.st_mode);
  facts.owner = info.st_uid;
  facts.permissions = info.st_mode & 0777;
  facts.writable = ::access(path.c_str(), W_OK | X_OK) == 0;
  return facts;
}

void PosixDirectorySystem::MakePrivateDirectory(const std::filesystem::path& path) {
  // The umask may only take bits away; an odd one must not lock the owner out.
  if (::mkdir(path.c_str(), 0700) == 0) ::chmod(path.c_str(), 0700);
}

void PosixDirectorySystem::RestrictToOwner(const std::filesystem::path& path) { ::chmod(path.c_str(), 0700); }

}  // namespace quorbel
