#include "tests/support/memory_registry.h"

#include <algorithm>
#include <cctype>

namespace quorbel {

MemoryRegistry::Address MemoryRegistry::MakeAddress(RegRoot root, std::string_view key_path,
                                                    std::string_view name) {
  // The registry compares key paths and value names without regard to case.
  auto lower = [](std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
  };
  return {root, lower(key_path), lower(name)};
}

std::optional<RegValue> MemoryRegistry::Query(RegRoot root, std::string_view key_path,
                                              std::string_view name) {
  const auto found = values_.find(MakeAddress(root, key_path, name));
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

bool MemoryRegistry::Set(RegRoot root, std::string_view key_path, std::string_view name,
                         const RegValue& value) {
  if (deny_machine_writes_ && root == RegRoot::LocalMachine) return false;
  values_[MakeAddress(root, key_path, name)] = value;
  return true;
}

bool MemoryRegistry::Delete(RegRoot root, std::string_view key_path, std::string_view name) {
  if (deny_machine_writes_ && root == RegRoot::LocalMachine) return false;
  return values_.erase(MakeAddress(root, key_path, name)) > 0;
}

}  // namespace quorbel
