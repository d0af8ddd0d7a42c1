#pragma once
// Profile files saved as UTF-16 ("Unicode" in Notepad), which the platform's
// profile functions read and write as text. The portable reader and writer
// work on them through UTF-8, which keeps every code unit: the conversion is
// exact both ways, unpaired surrogates included.
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// A UTF-16 file's text as UTF-8 with a byte-order mark, and how to write it
// back.
struct Utf16Profile {
  std::string utf8;
  bool big_endian = false;
  std::string odd_byte;  // a last byte that makes no code unit, kept as it is
};

// Nothing unless the file starts with a UTF-16 byte-order mark.
std::optional<Utf16Profile> DecodeUtf16Profile(std::string_view file);

// The file's bytes for `utf8` (as DecodeUtf16Profile gives it, or changed by
// the profile writer) in the byte order of `like`.
std::string EncodeUtf16Profile(std::string_view utf8, const Utf16Profile& like);

}  // namespace quorbel
