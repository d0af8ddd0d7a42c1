#include "settings/file_registry.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "settings/atomic_file.h"

namespace quorbel {
namespace {

// File layout: a header line, then one line per value,
//   <root> TAB <key path> TAB <value name> TAB <type> TAB <data in hex>
// with "%XX" escapes for "%" and control bytes in the path and the name.
constexpr std::string_view kHeader = "QuorbelClock settings 1";
constexpr char kHexDigits[] = "0123456789ABCDEF";

struct StoredValue {
  RegRoot root;
  std::string key_path;
  std::string name;
  RegValue value;
};

// Key paths and value names compare without regard to ASCII case.
using Address = std::tuple<RegRoot, std::string, std::string>;
using ValueMap = std::map<Address, StoredValue>;

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
  return out;
}

Address AddressOf(RegRoot root, std::string_view key_path, std::string_view name) {
  return {root, AsciiLower(key_path), AsciiLower(name)};
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void AppendHexByte(std::string& out, unsigned char byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

std::optional<std::string> FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  std::string out;
  out.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexValue(hex[i]);
    const int low = HexValue(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
  }
  return out;
}

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      out += '%';
      AppendHexByte(out, byte);
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const auto byte = FromHex(text.substr(i + 1, 2));
    if (!byte || byte->size() != 1) return std::nullopt;
    out += *byte;
    i += 2;
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::optional<RegRoot> ParseRoot(std::string_view text) {
  if (text == "HKCU") return RegRoot::CurrentUser;
  if (text == "HKLM") return RegRoot::LocalMachine;
  return std::nullopt;
}

std::optional<uint32_t> ParseType(std::string_view text) {
  if (text.empty() || text.size() > 10) return std::nullopt;
  uint64_t type = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    type = type * 10 + static_cast<uint64_t>(c - '0');
  }
  if (type > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(type);
}

std::optional<StoredValue> ParseLine(std::string_view line) {
  const auto fields = SplitFields(line);
  if (fields.size() != 5) return std::nullopt;
  const auto root = ParseRoot(fields[0]);
  auto key_path = Unescape(fields[1]);
  auto name = Unescape(fields[2]);
  const auto type = ParseType(fields[3]);
  auto data = FromHex(fields[4]);
  if (!root || !key_path || !name || !type || !data) return std::nullopt;
  return StoredValue{*root, std::move(*key_path), std::move(*name),
                     RegValue{*type, std::move(*data)}};
}

// Every value of the file; an empty map for a missing file and for one that
// does not follow the layout in every line.
ValueMap Parse(std::string_view file) {
  if (file.substr(0, kHeader.size()) != kHeader) return {};
  ValueMap values;
  size_t start = kHeader.size();
  if (start < file.size() && file[start] != '\n') return {};
  for (++start; start < file.size();) {
    const size_t end = std::min(file.find('\n', start), file.size());
    auto stored = ParseLine(file.substr(start, end - start));
    if (!stored) return {};
    Address address = AddressOf(stored->root, stored->key_path, stored->name);
    values.insert_or_assign(std::move(address), std::move(*stored));
    start = end + 1;
  }
  return values;
}

std::string Serialize(const ValueMap& values) {
  std::string out(kHeader);
  out += '\n';
  for (const auto& [address, stored] : values) {
    out += stored.root == RegRoot::LocalMachine ? "HKLM" : "HKCU";
    out.append("\t").append(Escape(stored.key_path));
    out.append("\t").append(Escape(stored.name));
    out.append("\t").append(std::to_string(stored.value.type)).append("\t");
    for (char c : stored.value.data) AppendHexByte(out, static_cast<unsigned char>(c));
    out += '\n';
  }
  return out;
}

ValueMap Load(const std::filesystem::path& file) {
  const auto bytes = ReadWholeFile(file);
  return bytes ? Parse(*bytes) : ValueMap{};
}

// A file that exists but cannot be read is not replaced by a nearly empty one.
bool MayRewrite(const std::filesystem::path& file) {
  return IsMissingFile(file) || ReadWholeFile(file).has_value();
}

}  // namespace

std::optional<RegValue> FileRegistry::Query(RegRoot root, std::string_view key_path,
                                            std::string_view name) {
  const ValueMap values = Load(file_);
  const auto found = values.find(AddressOf(root, key_path, name));
  if (found == values.end()) return std::nullopt;
  return found->second.value;
}

bool FileRegistry::Set(RegRoot root, std::string_view key_path, std::string_view name,
                       const RegValue& value) {
  if (!MayRewrite(file_)) return false;
  ValueMap values = Load(file_);
  auto address = AddressOf(root, key_path, name);
  const auto existing = values.find(address);
  if (existing != values.end()) {
    existing->second.value = value;
  } else {
    values.emplace(std::move(address),
                   StoredValue{root, std::string(key_path), std::string(name), value});
  }
  return ReplaceWholeFile(file_, Serialize(values));
}

bool FileRegistry::Delete(RegRoot root, std::string_view key_path, std::string_view name) {
  if (!MayRewrite(file_)) return false;
  ValueMap values = Load(file_);
  if (values.erase(AddressOf(root, key_path, name)) == 0) return false;
  return ReplaceWholeFile(file_, Serialize(values));
}

std::filesystem::path UserSettingsFile(std::string_view xdg_config_home, std::string_view home) {
  const std::filesystem::path base = !xdg_config_home.empty()
                                         ? std::filesystem::path(xdg_config_home)
                                         : std::filesystem::path(home) / ".config";
  return base / "QuorbelClock" / "settings";
}

}  // namespace quorbel
