#include "settings/file_registry.h"

#include <system_error>

#include "settings/atomic_file.h"
#include "settings/desktop_entry.h"
#include "settings/reg_file.h"
#include "settings/text_lines.h"
#include "settings/update_lock.h"

namespace quorbel {
namespace fs = std::filesystem;

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
  if (settings_file_.empty()) return std::nullopt;
  const SharedFile file = files_.Read(settings_file_);
  if (!file) return std::nullopt;
  return ReadRegFileValue(ReadableText(*file), root, key_path, name);
}

template <typename Change>
bool FileRegistry::ChangeSettings(Change change) {
  if (settings_file_.empty()) return false;
  // Another copy of the program changing the file waits until this change
  // is written, so neither loses the other's values.
  const UpdateLock lock(settings_file_);
  const SharedFile file = files_.ReadCurrent(settings_file_);
  // A file that exists but cannot be read must not be replaced by a nearly
  // empty one, nor one past the bound by its first part.
  if (file ? !file->whole : !IsMissingFile(settings_file_)) return false;
  const std::string_view old_bytes = file ? std::string_view(file->bytes) : std::string_view();
  const std::optional<std::string> new_bytes = change(old_bytes);
  if (!new_bytes) return false;
  // A change that leaves the bytes as they are needs no write.
  if (*new_bytes == old_bytes) return true;
  const bool written = ReplaceWholeFile(settings_file_, *new_bytes);
  files_.Forget(settings_file_);
  return written;
}

bool FileRegistry::Set(RegRoot root, std::string_view key_path, std::string_view name,
                       const RegValue& value) {
  if (IsAutostartValue(key_path, name)) return root == RegRoot::CurrentUser && SetAutostart(value);
  return ChangeSettings([&](std::string_view bytes) { return WriteRegFileValue(bytes, root, key_path, name, value); });
}

bool FileRegistry::Delete(RegRoot root, std::string_view key_path, std::string_view name) {
  if (IsAutostartValue(key_path, name)) return root == RegRoot::CurrentUser && DeleteAutostart();
  return ChangeSettings([&](std::string_view bytes) { return DeleteRegFileValue(bytes, root, key_path, name); });
}

std::optional<RegValue> FileRegistry::QueryAutostart() {
  if (autostart_file_.empty()) return std::nullopt;
  const SharedFile file = files_.Read(autostart_file_);
  if (!file) return std::nullopt;
  auto command = AutostartCommandOf(ReadableText(*file));
  if (!command) return std::nullopt;
  return RegValue{kRegSz, std::move(*command)};
}

bool FileRegistry::SetAutostart(const RegValue& value) {
  if (autostart_file_.empty() || value.type != kRegSz) return false;
  const auto entry = AutostartDesktopEntry(value.data);
  const bool written = entry && ReplaceWholeFile(autostart_file_, *entry);
  files_.Forget(autostart_file_);
  return written;
}

bool FileRegistry::DeleteAutostart() {
  std::error_code error;
  if (autostart_file_.empty() || !fs::is_regular_file(autostart_file_, error)) return false;
  const bool removed = fs::remove(autostart_file_, error);
  files_.Forget(autostart_file_);
  return removed;
}

}  // namespace quorbel
