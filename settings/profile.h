#pragma once
// Profile (INI) files as the platform's profile functions see them, on the
// file's raw bytes. Reading follows the platform's rules; writing changes only
// the bytes of the one entry it sets and leaves the rest of the file alone.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The longest value a read returns: the platform reader's 5000-character
// buffer holds 4999 characters and the terminating zero.
inline constexpr size_t kMaxProfileValue = 4999;

// How the bytes of a profile file encode text.
enum class ProfileEncoding { Ansi, Utf8WithBom };

ProfileEncoding DetectProfileEncoding(std::string_view file);

// The value of `key` in `section` of the file: blanks around it removed, one
// pair of matching quotes removed, cut to kMaxProfileValue bytes (never inside
// a UTF-8 sequence). Nothing when the section or the key is missing, or the
// key's line holds no "=". Names compare without regard to ASCII case.
std::optional<std::string> ReadProfileValue(std::string_view file, std::string_view section,
                                            std::string_view key);

// Whether an entry can be written so that it reads back as written: names not
// empty, no line breaks or zero bytes anywhere, no "=" in the key and no "["
// opening it (that line would read as a section).
bool IsWritableProfileEntry(std::string_view section, std::string_view key,
                            std::string_view value);

// The file with `key` in `section` set to `value`: the old value replaced on
// its own line, or a missing key added after the last entry of the section, or
// a missing section added at the end of the file. New lines end as the file's
// first line does (CRLF for a file without one). Blanks around the names and
// the value are dropped, as a read would drop them. Nothing when
// IsWritableProfileEntry refuses.
std::optional<std::string> WriteProfileValue(std::string_view file, std::string_view section,
                                             std::string_view key, std::string_view value);

}  // namespace quorbel
