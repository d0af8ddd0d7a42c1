#include "settings/reg_file.h"

#include <algorithm>
#include <vector>

#include "settings/reg_text.h"
#include "settings/text_lines.h"

namespace quorbel {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr char kHexDigits[] = "0123456789abcdef";

std::string FileText(std::string_view reg_text) { return ToUtf8(FromRegText(reg_text)); }
std::string RegText(std::string_view utf8) { return ToRegText(FromUtf8(utf8)); }

// Text that a quoted string, a section line or a value name can carry and
// that reads back as the same bytes.
bool IsPlainText(std::string_view reg_text) {
  const bool has_control = std::any_of(reg_text.begin(), reg_text.end(),
                                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  return !has_control && RegText(FileText(reg_text)) == reg_text;
}

bool StartsWithName(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameAsciiName(text.substr(0, prefix.size()), prefix);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to `max_digits` hexadecimal digits and nothing else.
std::optional<uint32_t> ParseHexNumber(std::string_view digits, size_t max_digits) {
  if (digits.empty() || digits.size() > max_digits) return std::nullopt;
  uint32_t number = 0;
  for (char c : digits) {
    const int digit = HexValue(c);
    if (digit < 0) return std::nullopt;
    number = number * 16 + static_cast<uint32_t>(digit);
  }
  return number;
}

// "aa,bb,cc": bytes of one or two digits, blanks around them, a trailing
// comma allowed (regedit ends wrapped lines with one).
std::optional<std::string> ParseHexBytes(std::string_view list) {
  std::string bytes;
  list = TrimLineBlanks(list);
  while (!list.empty()) {
    const size_t comma = std::min(list.find(','), list.size());
    const auto byte = ParseHexNumber(TrimLineBlanks(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes += static_cast<char>(*byte);
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
  return bytes;
}

struct Quoted {
  std::string text;
  size_t end = 0;  // just after the closing quote
};

// A string in double quotes at the start of `text`, with "\\" and "\"" for a
// backslash and a quote. A backslash before anything else stays, so a path
// typed with single backslashes reads as typed.
std::optional<Quoted> ParseQuoted(std::string_view text) {
  Quoted quoted;
  for (size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted.end = i + 1;
      return quoted;
    }
    if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) ++i;
    quoted.text += text[i];
  }
  return std::nullopt;
}

std::string QuotedText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out + '"';
}

std::string DwordData(uint32_t bits) {
  std::string data(4, '\0');
  for (size_t i = 0; i < 4; ++i) data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
  return data;
}

std::optional<RegValue> ParseData(std::string_view data) {
  if (!data.empty() && data.front() == '"') {
    const auto quoted = ParseQuoted(data);
    if (!quoted || !TrimLineBlanks(data.substr(quoted->end)).empty()) return std::nullopt;
    return RegValue{kRegSz, RegText(quoted->text)};
  }
  if (StartsWithName(data, "dword:")) {
    const auto bits = ParseHexNumber(TrimLineBlanks(data.substr(6)), 8);
    if (!bits) return std::nullopt;
    return RegValue{kRegDword, DwordData(*bits)};
  }
  uint32_t type = kRegBinary;
  if (StartsWithName(data, "hex(")) {
    const size_t close = data.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const auto number = ParseHexNumber(data.substr(4, close - 4), 8);
    if (!number) return std::nullopt;
    type = *number;
    data.remove_prefix(close + 2);
  } else if (StartsWithName(data, "hex:")) {
    data.remove_prefix(4);
  } else {
    return std::nullopt;
  }
  auto bytes = ParseHexBytes(data);
  if (!bytes) return std::nullopt;
  return RegValue{type, std::move(*bytes)};
}

std::string HexList(std::string_view bytes) {
  std::string out;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (i > 0) out += ',';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
  }
  return out;
}

std::string HexNumber(uint32_t number, size_t min_digits) {
  std::string digits;
  for (; number != 0 || digits.size() < min_digits; number >>= 4) {
    digits.insert(digits.begin(), kHexDigits[number & 0x0F]);
  }
  return digits;
}

uint32_t DwordBits(std::string_view data) {
  uint32_t bits = 0;
  for (size_t i = 0; i < 4; ++i) {
    bits |= static_cast<uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  return bits;
}

std::string DataToken(const RegValue& value) {
  if (value.type == kRegSz && IsPlainText(value.data)) return QuotedText(FileText(value.data));
  if (value.type == kRegDword && value.data.size() == 4) {
    return "dword:" + HexNumber(DwordBits(value.data), 8);
  }
  if (value.type == kRegBinary) return "hex:" + HexList(value.data);
  return "hex(" + HexNumber(value.type, 1) + "):" + HexList(value.data);
}

std::string NameToken(std::string_view name) {
  return name.empty() ? std::string("@") : QuotedText(FileText(name));
}

struct SectionKey {
  RegRoot root;
  std::string key_path;  // registry text
};

// "[HKEY_CURRENT_USER\Software\QuorbelClock]": the root's name, then the key
// path after the first "\", up to the line's last "]".
std::optional<SectionKey> ParseSection(std::string_view trimmed_line) {
  if (trimmed_line.size() < 2 || trimmed_line.back() != ']') return std::nullopt;
  const std::string_view inside = trimmed_line.substr(1, trimmed_line.size() - 2);
  const size_t separator = std::min(inside.find('\\'), inside.size());
  const std::string_view root = inside.substr(0, separator);
  const std::string key_path = RegText(inside.substr(std::min(separator + 1, inside.size())));
  if (SameAsciiName(root, kCurrentUser)) return SectionKey{RegRoot::CurrentUser, key_path};
  if (SameAsciiName(root, kLocalMachine)) return SectionKey{RegRoot::LocalMachine, key_path};
  return std::nullopt;
}

std::string SectionLine(RegRoot root, std::string_view key_path) {
  std::string line = "[";
  line += root == RegRoot::LocalMachine ? kLocalMachine : kCurrentUser;
  if (!key_path.empty()) line.append("\\").append(FileText(key_path));
  return line + ']';
}

// Only a line of hex bytes goes on a list, so a value line after a list that
// ends in "\" stays a line of its own, and so does one added after it.
bool IsHexContinuation(std::string_view line) {
  const std::string_view trimmed = TrimLineBlanks(line);
  return !trimmed.empty() && std::all_of(trimmed.begin(), trimmed.end(), [](char c) {
    return HexValue(c) >= 0 || c == ',' || c == ' ' || c == '\t' || c == '\\';
  });
}

// A value line with its continuation lines: `"name"=data` or `@=data`.
struct ValueLine {
  std::string name;  // registry text, as the file spells it
  std::optional<RegValue> value;
  TextLine span;  // from the first line's start to the last line's end
};

std::optional<ValueLine> ParseValueLine(std::string_view file, const TextLine& first) {
  const std::string_view text = TrimLineBlanks(first.Text(file));
  ValueLine line{"", std::nullopt, first};
  std::string_view rest;
  if (text.front() == '@') {
    rest = text.substr(1);
  } else {
    const auto quoted = ParseQuoted(text);
    if (!quoted) return std::nullopt;
    line.name = RegText(quoted->text);
    rest = text.substr(quoted->end);
  }
  rest = TrimLineBlanks(rest);
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  std::string data(TrimLineBlanks(rest.substr(1)));
  // Long hex lists go on over lines that end in "\".
  if (StartsWithName(data, "hex")) {
    while (!data.empty() && data.back() == '\\' && line.span.next < file.size()) {
      const TextLine next = TextLineAt(file, line.span.next);
      if (!IsHexContinuation(next.Text(file))) break;
      data.pop_back();
      data += TrimLineBlanks(next.Text(file));
      line.span.end = next.end;
      line.span.next = next.next;
    }
  }
  line.value = ParseData(TrimLineBlanks(data));
  return line;
}

// What a scan of the file found for one value.
struct ValueSearch {
  std::vector<ValueLine> lines;  // every line naming it under its key, in file order
  bool section_found = false;
  size_t append_at = 0;  // just after the last non-blank line of its key's last section
  bool append_needs_break = false;
};

ValueSearch FindValue(std::string_view file, RegRoot root, std::string_view key_path,
                      std::string_view name) {
  ValueSearch search;
  bool inside = false;
  for (size_t at = TextStart(file); at < file.size();) {
    TextLine line = TextLineAt(file, at);
    const std::string_view trimmed = TrimLineBlanks(line.Text(file));
    at = line.next;
    if (trimmed.empty()) continue;
    if (trimmed.front() == '[') {
      const auto section = ParseSection(trimmed);
      inside = section && section->root == root && SameAsciiName(section->key_path, key_path);
      search.section_found = search.section_found || inside;
    } else if (inside && (trimmed.front() == '"' || trimmed.front() == '@')) {
      auto value_line = ParseValueLine(file, line);
      if (value_line) {
        line = value_line->span;
        at = line.next;
        if (SameAsciiName(value_line->name, name)) search.lines.push_back(std::move(*value_line));
      }
    }
    if (!inside) continue;
    search.append_at = line.next;
    search.append_needs_break = line.next == line.end;
  }
  return search;
}

bool EndsWithBlankLine(std::string_view file) {
  std::string_view rest = file.substr(TextStart(file));
  if (rest.empty()) return true;
  if (rest.back() != '\n' && rest.back() != '\r') return false;
  if (rest.size() >= 2 && rest.substr(rest.size() - 2) == "\r\n") {
    rest.remove_suffix(2);
  } else {
    rest.remove_suffix(1);
  }
  return rest.empty() || rest.back() == '\n' || rest.back() == '\r';
}

std::string AddSection(std::string_view file, std::string_view line_break,
                       std::string_view section_line, std::string_view value_line) {
  std::string out(file);
  if (file.size() == TextStart(file)) out.append(kHeader).append(line_break);
  if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += line_break;
  if (!EndsWithBlankLine(out)) out += line_break;
  out.append(section_line).append(line_break);
  return out.append(value_line).append(line_break);
}

// The file without the lines of `search`, the last of them replaced by
// `replacement` when there is one.
std::string ReplaceLines(std::string_view file, const ValueSearch& search,
                         const std::optional<std::string>& replacement) {
  std::string out;
  size_t kept_from = 0;
  for (size_t i = 0; i < search.lines.size(); ++i) {
    const TextLine& span = search.lines[i].span;
    out += file.substr(kept_from, span.begin - kept_from);
    const bool replace = replacement && i + 1 == search.lines.size();
    if (replace) out += *replacement;
    kept_from = replace ? span.end : span.next;
  }
  return out += file.substr(kept_from);
}

}  // namespace

std::optional<RegValue> ReadRegFileValue(std::string_view file, RegRoot root,
                                         std::string_view key_path, std::string_view name) {
  const ValueSearch search = FindValue(file, root, key_path, name);
  for (auto line = search.lines.rbegin(); line != search.lines.rend(); ++line) {
    if (line->value) return line->value;
  }
  return std::nullopt;
}

std::optional<std::string> WriteRegFileValue(std::string_view file, RegRoot root,
                                             std::string_view key_path, std::string_view name,
                                             const RegValue& value) {
  if (!IsPlainText(key_path) || !IsPlainText(name)) return std::nullopt;
  const ValueSearch search = FindValue(file, root, key_path, name);
  const std::string spelled_name =
      search.lines.empty() ? std::string(name) : search.lines.back().name;
  const std::string value_line = NameToken(spelled_name) + "=" + DataToken(value);
  if (!search.lines.empty()) return ReplaceLines(file, search, value_line);
  const std::string_view line_break = LineBreakOf(file, "\n");
  if (!search.section_found) {
    return AddSection(file, line_break, SectionLine(root, key_path), value_line);
  }
  std::string out(file.substr(0, search.append_at));
  if (search.append_needs_break) out += line_break;
  out.append(value_line).append(line_break);
  return out += file.substr(search.append_at);
}

std::optional<std::string> DeleteRegFileValue(std::string_view file, RegRoot root,
                                              std::string_view key_path, std::string_view name) {
  if (!ReadRegFileValue(file, root, key_path, name)) return std::nullopt;
  return ReplaceLines(file, FindValue(file, root, key_path, name), std::nullopt);
}

}  // namespace quorbel
