#pragma once
// A per-user settings file in place of the registry, for platforms without
// one. It keeps the same value names, types and bytes, so ModReg reads and
// writes it exactly as it does the registry.
#include <filesystem>
#include <string_view>

#include "settings/registry.h"

namespace quorbel {

// The file is read at every call and rewritten whole at every change (through
// a temporary file), so nothing is cached and another copy of the program
// sees a change at once. A file that cannot be understood reads as empty.
class FileRegistry : public RegistryBackend {
 public:
  explicit FileRegistry(std::filesystem::path file) : file_(std::move(file)) {}

  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override;
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override;
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override;

 private:
  std::filesystem::path file_;
};

// Where a user's settings file lives: under $XDG_CONFIG_HOME, or under
// $HOME/.config when that is not set.
std::filesystem::path UserSettingsFile(std::string_view xdg_config_home, std::string_view home);

}  // namespace quorbel
