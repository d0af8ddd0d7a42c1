#include "settings/file_registry.h"

#include <system_error>

#include "settings/atomic_file.h"
#include "settings/desktop_entry.h"
#include "settings/reg_file.h"
#include "settings/text_lines.h"
#include "settings/update_lock.h"

namespace quorbel {
namespace fs = std::filesystem;
namespace {

// The file's bytes, empty for a missing one; nothing for one that exists but
// cannot be read, which a write must not replace by a nearly empty file.
std::optional<std::string> CurrentBytes(const fs::path& file) {
  if (file.empty()) return std::nullopt;
  auto bytes = ReadWholeFile(file);
  if (bytes) return bytes;
  if (IsMissingFile(file)) return std::string();
  return std::nullopt;
}

// A change that leaves the bytes as they are needs no write.
bool Store(const fs::path& file, const std::string& old_bytes,
           const std::optional<std::string>& new_bytes) {
  if (!new_bytes) return false;
  return *new_bytes == old_bytes || ReplaceWholeFile(file, *new_bytes);
}

}  // namespace

bool IsAutostartValue(std::string_view key_path, std::string_view name) {
  return SameAsciiName(name, kAutostartValue) &&
         (SameAsciiName(key_path, kMachineRunKey) || SameAsciiName(key_path, kUserRunKey));
}

std::optional<RegValue> FileRegistry::Query(RegRoot root, std::string_view key_path,
                                            std::string_view name) {
  if (IsAutostartValue(key_path, name)) {
    if (root == RegRoot::LocalMachine) return std::nullopt;
    return QueryAutostart();
  }
  const auto bytes = settings_file_.empty() ? std::nullopt : ReadWholeFile(settings_file_);
  if (!bytes) return std::nullopt;
  return ReadRegFileValue(*bytes, root, key_path, name);
}

bool FileRegistry::Set(RegRoot root, std::string_view key_path, std::string_view name,
                       const RegValue& value) {
  if (IsAutostartValue(key_path, name)) return root == RegRoot::CurrentUser && SetAutostart(value);
  const UpdateLock lock(settings_file_);
  const auto bytes = CurrentBytes(settings_file_);
  if (!bytes) return false;
  return Store(settings_file_, *bytes, WriteRegFileValue(*bytes, root, key_path, name, value));
}

bool FileRegistry::Delete(RegRoot root, std::string_view key_path, std::string_view name) {
  if (IsAutostartValue(key_path, name)) return root == RegRoot::CurrentUser && DeleteAutostart();
  const UpdateLock lock(settings_file_);
  const auto bytes = CurrentBytes(settings_file_);
  if (!bytes) return false;
  return Store(settings_file_, *bytes, DeleteRegFileValue(*bytes, root, key_path, name));
}

std::optional<RegValue> FileRegistry::QueryAutostart() const {
  const auto bytes = autostart_file_.empty() ? std::nullopt : ReadWholeFile(autostart_file_);
  if (!bytes) return std::nullopt;
  auto command = AutostartCommandOf(*bytes);
  if (!command) return std::nullopt;
  return RegValue{kRegSz, std::move(*command)};
}

bool FileRegistry::SetAutostart(const RegValue& value) const {
  if (autostart_file_.empty() || value.type != kRegSz) return false;
  const auto entry = AutostartDesktopEntry(value.data);
  return entry && ReplaceWholeFile(autostart_file_, *entry);
}

bool FileRegistry::DeleteAutostart() const {
  std::error_code error;
  if (autostart_file_.empty() || !fs::is_regular_file(autostart_file_, error)) return false;
  return fs::remove(autostart_file_, error);
}

}  // namespace quorbel
