#pragma once
// The Windows registry through its ANSI functions.
#include "settings/registry.h"

namespace quorbel {

// Each call opens its key, uses it and closes it again; no handle outlives a
// call.
class Win32Registry : public RegistryBackend {
 public:
  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override;
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override;
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override;
};

}  // namespace quorbel
