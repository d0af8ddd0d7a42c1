#pragma once
// The registry for platforms without one: the settings in a registry export
// file ("REGEDIT4", see reg_file.h) and the autostart entry "Clock" of the
// user's Run key as an XDG autostart desktop entry. A per-user program has
// no machine-wide entry: there, as for a standard user on Windows, nothing
// is found and every write fails, so another program's autostart file is
// never overwritten or removed through it. Value names, types and bytes
// stay as ModReg writes them, so it reads and writes these exactly as it
// does the registry.
#include <filesystem>
#include <string_view>

#include "settings/registry.h"

namespace quorbel {

// Both files are read at every call and replaced whole at every change
// (through a temporary file), so nothing is cached and another copy of the
// program sees a change at once. A change of the settings file is read and
// written under an UpdateLock, so two copies storing at once keep each
// other's values. An empty path is no store: nothing reads,
// every write fails.
class FileRegistry : public RegistryBackend {
 public:
  FileRegistry(std::filesystem::path settings_file, std::filesystem::path autostart_file)
      : settings_file_(std::move(settings_file)), autostart_file_(std::move(autostart_file)) {}

  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override;
  // The autostart entry takes string data only.
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override;
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override;

 private:
  std::optional<RegValue> QueryAutostart() const;
  bool SetAutostart(const RegValue& value) const;
  bool DeleteAutostart() const;

  std::filesystem::path settings_file_;
  std::filesystem::path autostart_file_;
};

// Whether a value is "Clock" under a Run key (the machine's and the user's
// are the same path but for its letter case).
bool IsAutostartValue(std::string_view key_path, std::string_view name);

}  // namespace quorbel
