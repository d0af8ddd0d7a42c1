#include "common/data_directory.h"

namespace quorbel {
namespace fs = std::filesystem;

fs::path DataDirectory(const fs::path& exe_dir, const std::function<bool(const fs::path&)>& exists) {
  if (exists(exe_dir / "Config.ini")) return exe_dir;
  return (exe_dir / kDataSubdirectory).lexically_normal();
}

}  // namespace quorbel
