#include "settings/user_config_ini.h"

#include <system_error>

#include "common/native_path.h"
#include "settings/atomic_file.h"

namespace quorbel {
namespace fs = std::filesystem;
namespace {

fs::path NormalPath(TextView path) { return PathFromText(SlashPath(path)).lexically_normal(); }

}  // namespace

bool UserConfigIniStore::IsShipped(TextView path) const {
  return !user_config_ini_.empty() && NormalPath(path) == NormalPath(shipped_config_ini_);
}

bool UserConfigIniStore::UserCopyExists() const {
  std::error_code error;
  return fs::is_regular_file(PathFromText(user_config_ini_), error);
}

Text UserConfigIniStore::Read(TextView path, TextView section, TextView key, TextView fallback) {
  const bool use_copy = IsShipped(path) && UserCopyExists();
  return files_.Read(use_copy ? TextView(user_config_ini_) : path, section, key, fallback);
}

bool UserConfigIniStore::Write(TextView path, TextView section, TextView key, TextView value) {
  if (!IsShipped(path)) return files_.Write(path, section, key, value);
  const fs::path copy = PathFromText(user_config_ini_);
  if (UserCopyExists()) return files_.Write(user_config_ini_, section, key, value);
  if (!IsMissingFile(copy)) return false;
  const auto shipped = ReadWholeFile(PathFromText(SlashPath(shipped_config_ini_)));
  if (!shipped || !ReplaceWholeFile(copy, *shipped)) return false;
  if (files_.Write(user_config_ini_, section, key, value)) return true;
  std::error_code error;
  fs::remove(copy, error);
  return false;
}

}  // namespace quorbel
