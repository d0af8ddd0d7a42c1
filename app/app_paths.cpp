#include "app/app_paths.h"

namespace quorbel {
namespace fs = std::filesystem;

fs::path DataDirectory(const fs::path& exe_dir, const std::function<bool(const fs::path&)>& exists) {
  if (exists(exe_dir / "Config.ini")) return exe_dir;
  return (exe_dir / kDataSubdirectory).lexically_normal();
}

namespace {

std::string DisplaySuffix(std::string_view display) {
  std::string suffix;
  for (const char c : display) {
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
    suffix += kept ? c : '_';
  }
  return suffix.empty() ? suffix : "-" + suffix;
}

}  // namespace

InstanceAddress InstanceAddressFor(std::string_view runtime_dir_env, const fs::path& temp_dir, uint32_t uid,
                                   std::string_view display) {
  const fs::path runtime_dir(runtime_dir_env);
  const bool private_dir = !runtime_dir_env.empty() && runtime_dir.is_absolute();
  const std::string stem = (private_dir ? "quorbel-clock" : "quorbel-clock-" + std::to_string(uid)) +
                           DisplaySuffix(display);
  const fs::path& dir = private_dir ? runtime_dir : temp_dir;
  return {dir / (stem + ".lock"), dir / (stem + ".socket")};
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
