#include "settings/text_lines.h"

#include <algorithm>

namespace quorbel {

TextLine TextLineAt(std::string_view file, size_t begin) {
  const size_t end = std::min(file.find_first_of("\r\n", begin), file.size());
  size_t next = end;
  if (next < file.size() && file[next] == '\r') ++next;
  if (next < file.size() && file[next] == '\n') ++next;
  return {begin, end, next};
}

size_t TextStart(std::string_view file) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  return file.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0;
}

std::string_view TrimLineBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view LineBreakOf(std::string_view file, std::string_view fallback) {
  const TextLine first = TextLineAt(file, TextStart(file));
  if (first.next == first.end) return fallback;
  return file.substr(first.end, first.next - first.end);
}

std::string_view CompleteLines(std::string_view text) {
  const size_t last_break = text.find_last_of("\r\n");
  return last_break == std::string_view::npos ? std::string_view() : text.substr(0, last_break + 1);
}

}  // namespace quorbel
