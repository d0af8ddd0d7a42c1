#include "settings/profile.h"

#include <algorithm>

namespace quorbel {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The reader's blanks: the C white-space characters and Ctrl-Z, the old
// end-of-file mark some editors leave behind.
bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// One line of the file: its text without the line break, and where the next
// line starts. A line ends at CRLF, LF or a lone CR.
struct Line {
  size_t begin = 0;
  size_t end = 0;
  size_t next = 0;
};

Line LineAt(std::string_view file, size_t begin) {
  const size_t end = std::min(file.find_first_of("\r\n", begin), file.size());
  size_t next = end;
  if (next < file.size() && file[next] == '\r') ++next;
  if (next < file.size() && file[next] == '\n') ++next;
  return {begin, end, next};
}

// What a scan of the file found for one section and key. Positions are byte
// offsets into the file.
struct EntrySearch {
  bool section_found = false;
  bool key_found = false;
  bool has_equals = false;
  size_t value_begin = 0;  // first byte of the value after its leading blanks
  size_t value_end = 0;    // end of the line without its trailing blanks
  size_t append_at = 0;    // just after the last non-blank line of the section
  bool append_needs_break = false;  // that line is the last and has no line break
};

size_t ContentStart(std::string_view file) {
  return file.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
}

// The name of a section line: from after "[" to the last "]" of the line,
// without the blanks inside the brackets.
std::optional<std::string_view> SectionName(std::string_view trimmed_line) {
  if (trimmed_line.empty() || trimmed_line.front() != '[') return std::nullopt;
  const size_t close = trimmed_line.rfind(']');
  if (close == 0 || close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(trimmed_line.substr(1, close - 1));
}

// Notes the entry of a non-blank, non-section line when it is the key sought.
void MatchEntry(std::string_view file, const Line& line, std::string_view key,
                EntrySearch& search) {
  const std::string_view raw = file.substr(line.begin, line.end - line.begin);
  const std::string_view trimmed = TrimBlanks(raw);
  const size_t trimmed_begin = line.begin + static_cast<size_t>(trimmed.data() - raw.data());
  const size_t equals = trimmed.find('=');
  const std::string_view name = TrimBlanks(trimmed.substr(0, equals));
  if (!SameName(name, key)) return;
  search.key_found = true;
  search.value_end = trimmed_begin + trimmed.size();
  if (equals == std::string_view::npos) {
    search.value_begin = search.value_end;
    return;
  }
  search.has_equals = true;
  size_t value_begin = trimmed_begin + equals + 1;
  while (value_begin < search.value_end && IsBlank(file[value_begin])) ++value_begin;
  search.value_begin = value_begin;
}

// Finds the first section named `section` and, in it, the first line whose
// key is `key`: the platform's reader looks no further.
EntrySearch FindEntry(std::string_view file, std::string_view section, std::string_view key) {
  EntrySearch search;
  // Lines before the first section line form a section without a name.
  bool inside = section.empty();
  search.section_found = inside;
  search.append_at = ContentStart(file);
  for (size_t at = ContentStart(file); at < file.size();) {
    const Line line = LineAt(file, at);
    at = line.next;
    const std::string_view trimmed = TrimBlanks(file.substr(line.begin, line.end - line.begin));
    if (trimmed.empty()) continue;
    const auto name = SectionName(trimmed);
    if (name) {
      if (inside) break;
      inside = !search.section_found && SameName(*name, section);
      search.section_found = search.section_found || inside;
    }
    if (!inside) continue;
    search.append_at = line.next;
    search.append_needs_break = line.next == line.end;
    if (!name) MatchEntry(file, line, key, search);
    if (search.key_found) break;
  }
  return search;
}

// The line break new lines get: the one the file's first line ends with.
std::string_view LineBreakOf(std::string_view file) {
  const Line first = LineAt(file, ContentStart(file));
  if (first.next == first.end) return "\r\n";
  return file.substr(first.end, first.next - first.end);
}

std::string_view StripMatchingQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::string_view CutToLimit(std::string_view value, ProfileEncoding encoding) {
  if (value.size() <= kMaxProfileValue) return value;
  size_t cut = kMaxProfileValue;
  if (encoding == ProfileEncoding::Utf8WithBom) {
    // Step back over continuation bytes so no character is cut in two.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
  }
  return value.substr(0, cut);
}

bool HasLineBreakOrZero(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

ProfileEncoding DetectProfileEncoding(std::string_view file) {
  return ContentStart(file) > 0 ? ProfileEncoding::Utf8WithBom : ProfileEncoding::Ansi;
}

std::optional<std::string> ReadProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key) {
  const EntrySearch found = FindEntry(file, TrimBlanks(section), TrimBlanks(key));
  if (!found.key_found || !found.has_equals) return std::nullopt;
  const std::string_view value =
      StripMatchingQuotes(file.substr(found.value_begin, found.value_end - found.value_begin));
  return std::string(CutToLimit(value, DetectProfileEncoding(file)));
}

bool IsWritableProfileEntry(std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::string_view trimmed_key = TrimBlanks(key);
  return !TrimBlanks(section).empty() && !trimmed_key.empty() && !HasLineBreakOrZero(section) &&
         !HasLineBreakOrZero(key) && !HasLineBreakOrZero(value) &&
         trimmed_key.find('=') == std::string_view::npos && trimmed_key.front() != '[';
}

std::optional<std::string> WriteProfileValue(std::string_view file, std::string_view section,
                                             std::string_view key, std::string_view value) {
  if (!IsWritableProfileEntry(section, key, value)) return std::nullopt;
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  value = TrimBlanks(value);

  const EntrySearch found = FindEntry(file, section, key);
  const std::string_view line_break = LineBreakOf(file);
  std::string out(file.substr(0, found.key_found ? found.value_begin : found.append_at));
  if (found.key_found) {
    if (!found.has_equals) out += '=';
    out += value;
    out += file.substr(found.value_end);
    return out;
  }
  if (found.section_found) {
    if (found.append_needs_break) out += line_break;
  } else {
    out = file;
    const bool ends_in_break = !file.empty() && (file.back() == '\n' || file.back() == '\r');
    if (file.size() > ContentStart(file) && !ends_in_break) out += line_break;
    out.append("[").append(section).append("]").append(line_break);
  }
  out.append(key).append("=").append(value).append(line_break);
  if (found.section_found) out += file.substr(found.append_at);
  return out;
}

}  // namespace quorbel
