#pragma once
// Text inside the program is UTF-16; it becomes the ANSI code page only at the
// boundary of an "A" function (see ansi.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

using Text = std::u16string;
using TextView = std::u16string_view;

// ASCII-only convenience for literals and numbers; bytes above 0x7F pass as
// Latin-1 code points.
Text Widen(std::string_view ascii);

std::string ToUtf8(TextView text);
// Appends the UTF-8 form of one code point (a surrogate value in the same
// three-byte form as any other below U+10000).
void AppendUtf8(std::string& out, uint32_t code_point);
Text FromUtf8(std::string_view utf8);
// As FromUtf8, but each byte that begins no valid sequence becomes
// `invalid_byte(byte)` instead of U+FFFD.
Text FromUtf8Or(std::string_view utf8, char16_t (*invalid_byte)(unsigned char));

// Decimal text of a number, as the program writes numbers into Config.ini
// and text fields.
Text DecimalText(long long value);

// Removes leading and trailing spaces (only U+0020, as the profile reader
// and its callers do).
Text TrimSpaces(TextView text);

// Reads a whole decimal number, optionally signed and surrounded by spaces.
// Empty text, other characters or a value outside [min, max] give nothing.
std::optional<long long> ParseInteger(TextView text, long long min, long long max);

// 16-bit signed conversion used for skin numbers and field values.
std::optional<int16_t> ParseInt16(TextView text);

}  // namespace quorbel
