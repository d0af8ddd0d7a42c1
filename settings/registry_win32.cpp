#include "settings/registry_win32.h"

#include <windows.h>

#include "common/handles_win32.h"

namespace quorbel {
namespace {

HKEY RootKey(RegRoot root) {
  return root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

unique_hkey OpenKey(RegRoot root, std::string_view key_path) {
  unique_hkey key;
  if (RegOpenKeyA(RootKey(root), std::string(key_path).c_str(), key.put()) != ERROR_SUCCESS) {
    return {};
  }
  return key;
}

}  // namespace

std::optional<RegValue> Win32Registry::Query(RegRoot root, std::string_view key_path,
                                             std::string_view name) {
  const unique_hkey key = OpenKey(root, key_path);
  if (!key) return std::nullopt;
  const std::string value_name(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  // A buffer of exactly the reported size; a value that grew in between
  // fails the second query rather than being cut.
  RegValue value{type, std::string(size, '\0')};
  if (RegQueryValueExA(key.get(), value_name.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.type = type;
  value.data.resize(size);
  return value;
}

bool Win32Registry::Set(RegRoot root, std::string_view key_path, std::string_view name,
                        const RegValue& value) {
  unique_hkey key;
  if (RegCreateKeyA(RootKey(root), std::string(key_path).c_str(), key.put()) != ERROR_SUCCESS) {
    return false;
  }
  return RegSetValueExA(key.get(), std::string(name).c_str(), 0, value.type,
                        reinterpret_cast<const BYTE*>(value.data.data()),
                        static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::Delete(RegRoot root, std::string_view key_path, std::string_view name) {
  const unique_hkey key = OpenKey(root, key_path);
  if (!key) return false;
  return RegDeleteValueA(key.get(), std::string(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace quorbel
