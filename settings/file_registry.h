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
#include "settings/settings_files.h"

namespace quorbel {

// Both files are read through `files` (within its bound, once per
// operation) and replaced whole at every change (through a temporary file),
// so another copy of the program sees a change at its next operation. A
// change is read and written under an UpdateLock, so two copies storing at
// once keep each other's values. A settings file past the bound is never
// written. An empty path is no
// store: nothing reads, every write fails.
class FileRegistry : public RegistryBackend {
 public:
  FileRegistry(std::filesystem::path settings_file, std::filesystem::path autostart_file)
      : FileRegistry(std::move(settings_file), std::move(autostart_file), own_files_) {}
  FileRegistry(std::filesystem::path settings_file, std::filesystem::path autostart_file,
               SettingsFiles& files)
      : files_(files), settings_file_(std::move(settings_file)), autostart_file_(std::move(autostart_file)) {}

  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override;
  // The autostart entry takes string data only.
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override;
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override;
  void BeginOperation() override { files_.BeginOperation(); }
  void EndOperation() override { files_.EndOperation(); }

 private:
  std::optional<RegValue> QueryAutostart();
  bool SetAutostart(const RegValue& value);
  bool DeleteAutostart();
  // Applies `change` to the settings file's bytes and stores the result.
  template <typename Change>
  bool ChangeSettings(Change change);

  SettingsFiles own_files_;
  SettingsFiles& files_;
  std::filesystem::path settings_file_;
  std::filesystem::path autostart_file_;
};

// Whether a value is "Clock" under a Run key (the machine's and the user's
// are the same path but for its letter case).
bool IsAutostartValue(std::string_view key_path, std::string_view name);

}  // namespace quorbel
