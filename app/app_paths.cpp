#include "app/app_paths.h"

namespace quorbel {
namespace fs = std::filesystem;

fs::path DataDirectory(const fs::path& exe_dir, const std::function<bool(const fs::path&)>& exists) {
  if (exists(exe_dir / "Config.ini")) return exe_dir;
  return (exe_dir / kDataSubdirectory).lexically_normal();
}

InstanceAddress InstanceAddressFor(std::string_view runtime_dir_env, const fs::path& temp_dir,
                                   uint32_t uid) {
  const fs::path runtime_dir(runtime_dir_env);
  if (!runtime_dir_env.empty() && runtime_dir.is_absolute()) {
    return {runtime_dir / "quorbel-clock.lock", runtime_dir / "quorbel-clock.socket"};
  }
  const std::string stem = "quorbel-clock-" + std::to_string(uid);
  return {temp_dir / (stem + ".lock"), temp_dir / (stem + ".socket")};
}

Text JoinArguments(const std::vector<std::string>& utf8_arguments) {
  std::string line;
  for (const std::string& argument : utf8_arguments) {
    if (!line.empty()) line += ' ';
    const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
    line += quote ? '"' + argument + '"' : argument;
  }
  return FromUtf8(line);
}

}  // namespace quorbel
