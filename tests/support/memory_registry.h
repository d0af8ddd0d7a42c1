#pragma once
// A registry kept in memory: the store of the tests, which must not touch the
// real one.
#include <map>
#include <string>
#include <tuple>

#include "settings/registry.h"

namespace quorbel {

class MemoryRegistry : public RegistryBackend {
 public:
  std::optional<RegValue> Query(RegRoot root, std::string_view key_path,
                                std::string_view name) override;
  bool Set(RegRoot root, std::string_view key_path, std::string_view name,
           const RegValue& value) override;
  bool Delete(RegRoot root, std::string_view key_path, std::string_view name) override;

  // Makes every write under the machine-wide root fail, as it does for a
  // standard user on Windows.
  void DenyMachineWrites(bool deny) { deny_machine_writes_ = deny; }
  size_t size() const { return values_.size(); }

 private:
  using Address = std::tuple<RegRoot, std::string, std::string>;
  static Address MakeAddress(RegRoot root, std::string_view key_path, std::string_view name);

  std::map<Address, RegValue> values_;
  bool deny_machine_writes_ = false;
};

}  // namespace quorbel
