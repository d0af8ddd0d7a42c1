#include "settings/user_config_ini.h"

#include <limits>
#include <system_error>

#include "common/native_path.h"
#include "settings/atomic_file.h"
#include "settings/text_lines.h"
#include "settings/update_lock.h"

namespace quorbel {
namespace fs = std::filesystem;
namespace {

fs::path NormalPath(TextView path) { return PathFromText(SlashPath(path)).lexically_normal(); }

bool SameName(TextView a, TextView b) { return SameAsciiName(ToUtf8(a), ToUtf8(b)); }

bool IsSkinsKey(TextView section, TextView key, TextView name) {
  return SameName(section, u"Skins") && SameName(key, name);
}

// Whether the file's first line is the mark this store writes; one saved
// again as UTF-8 or UTF-16 by an editor still counts.
bool HasUserConfigIniMark(ProfileFile& files, TextView file) {
  const auto first = files.FirstLine(file);
  return first && TrimLineBlanks(*first) == kUserConfigIniMark;
}

std::optional<long long> CountOf(const std::optional<Text>& text) {
  if (!text) return std::nullopt;
  return ParseInteger(*text, 0, std::numeric_limits<long long>::max());
}

}  // namespace

bool UserConfigIniStore::IsShipped(TextView path) const {
  return !user_config_ini_.empty() && NormalPath(path) == NormalPath(shipped_config_ini_);
}

bool UserConfigIniStore::UsersValueWins(TextView section, TextView key) {
  if (!files_.Find(user_config_ini_, section, key)) return false;
  if (HasUserConfigIniMark(files_, user_config_ini_)) return true;
  if (IsSkinsKey(section, key, u"Selected") || IsSkinsKey(section, key, u"Language")) return true;
  return !files_.Find(shipped_config_ini_, section, key);
}

Text UserConfigIniStore::LargerCount(TextView fallback) {
  const auto users = files_.Find(user_config_ini_, u"Skins", u"Count");
  const auto shipped = files_.Find(shipped_config_ini_, u"Skins", u"Count");
  const auto users_count = CountOf(users);
  const auto shipped_count = CountOf(shipped);
  if (users_count && (!shipped_count || *users_count > *shipped_count)) return *users;
  return shipped.value_or(Text(fallback));
}

Text UserConfigIniStore::Read(TextView path, TextView section, TextView key, TextView fallback) {
  if (!IsShipped(path)) return files_.Read(path, section, key, fallback);
  if (IsSkinsKey(section, key, u"Count")) return LargerCount(fallback);
  return files_.Read(SourceOf(path, section, key), section, key, fallback);
}

Text UserConfigIniStore::SourceOf(TextView path, TextView section, TextView key) {
  if (!IsShipped(path)) return Text(path);
  return UsersValueWins(section, key) ? user_config_ini_ : Text(path);
}

bool UserConfigIniStore::Write(TextView path, TextView section, TextView key, TextView value) {
  if (!IsShipped(path)) return files_.Write(path, section, key, value);
  const fs::path user_file = PathFromText(user_config_ini_);
  const UpdateLock lock(user_file);
  if (!IsMissingFile(user_file)) return files_.Write(user_config_ini_, section, key, value);
  const std::string first_line = std::string(kUserConfigIniMark) + "\r\n";
  if (!ReplaceWholeFile(user_file, first_line)) return false;
  if (files_.Write(user_config_ini_, section, key, value)) return true;
  std::error_code error;
  fs::remove(user_file, error);
  return false;
}

}  // namespace quorbel
