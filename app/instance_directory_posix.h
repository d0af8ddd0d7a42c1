#pragma once
// The directory facts and changes the instance directory's choice asks for,
// from the system.
#include "app/instance_directory.h"

namespace quorbel {

class PosixDirectorySystem : public DirectorySystem {
 public:
  DirectoryFacts Inspect(const std::filesystem::path& path, bool follow_links) override;
  void MakePrivateDirectory(const std::filesystem::path& path) override;
  void RestrictToOwner(const std::filesystem::path& path) override;
};

}  // namespace quorbel
