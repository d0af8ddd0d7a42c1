#pragma once
// Line-by-line reading of the small text files the settings live in (the
// registry export file and the autostart entry).
#include <cstddef>
#include <string_view>

namespace quorbel {

// One line: its text without the line break, and where the next one starts.
// A line ends at CRLF, LF or a lone CR.
struct TextLine {
  size_t begin = 0;
  size_t end = 0;
  size_t next = 0;
  std::string_view Text(std::string_view file) const { return file.substr(begin, end - begin); }
};

TextLine TextLineAt(std::string_view file, size_t begin);

// Where the text starts: after a UTF-8 byte-order mark, when there is one.
size_t TextStart(std::string_view file);

// Without the spaces and tabs around it.
std::string_view TrimLineBlanks(std::string_view text);

// Equal without regard to ASCII case.
bool SameAsciiName(std::string_view a, std::string_view b);

// The line break the file's first line ends with; `fallback` when it has none.
std::string_view LineBreakOf(std::string_view file, std::string_view fallback);

// The text up to and with its last line break: what is left of a file cut
// short without a line cut in two.
std::string_view CompleteLines(std::string_view text);

}  // namespace quorbel
