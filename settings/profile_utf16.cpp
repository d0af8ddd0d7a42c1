#include "common/text.h"
#include "settings//profile_utf16.h"

#include <cstdint>

namespace quorbel {
namespace {

uint16_t UnitAt(std::string_view file, size_t at, bool big_endian) {
  const auto first = static_cast<unsigned char>(file[at]);
  const auto second = static_cast<unsigned char>(file[at + 1]);
  return static_cast<uint16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
}

void AppendUnit(std::string& out, uint32_t unit, bool big_endian) {
  const auto high = static_cast<char>((unit >> 8) & 0xFF);
  const auto low = static_cast<char>(unit & 0xFF);
  out.push_back(big_endian ? high : low);
  out.push_back(big_endian ? low : high);
}

bool IsHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code point of the sequence at `at`, and its length. A byte that leads
// no complete sequence stands for itself (as U+FFFD would lose it, it becomes
// the code point of its value).
uint32_t NextCodePoint(std::string_view utf8, size_t& at) {
  const auto lead = static_cast<unsigned char>(utf8[at]);
  const size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  if (length <= 1 || at + length > utf8.size()) {
    ++at;
    return lead;
  }
  uint32_t cp = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(utf8[at + k]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return lead;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  at += length;
  return cp;
}

}  // namespace

std::optional<Utf16Profile> DecodeUtf16Profile(std::string_view file) {
  if (file.size() < 2) return std::nullopt;
  Utf16Profile profile;
  if (file.substr(0, 2) == "\xFE\xFF") {
    profile.big_endian = true;
  } else if (file.substr(0, 2) != "\xFF\xFE") {
    return std::nullopt;
  }
  const size_t units = file.size() / 2;
  for (size_t i = 0; i < units; ++i) {
    uint32_t unit = UnitAt(file, 2 * i, profile.big_endian);
    if (IsHighSurrogate(unit) && i + 1 < units) {
      const uint32_t next = UnitAt(file, 2 * (i + 1), profile.big_endian);
      if (IsLowSurrogate(next)) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(profile.utf8, unit);
  }
  profile.odd_byte = std::string(file.substr(2 * units));
  return profile;
}

std::string EncodeUtf16Profile(std::string_view utf8, const Utf16Profile& like) {
  std::string out;
  out.reserve(utf8.size() * 2 + like.odd_byte.size());
  for (size_t at = 0; at < utf8.size();) {
    const uint32_t cp = NextCodePoint(utf8, at);
    if (cp >= 0x10000) {
      AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), like.big_endian);
      AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), like.big_endian);
    } else {
      AppendUnit(out, cp, like.big_endian);
    }
  }
  return out + like.odd_byte;
}

}  // namespace quorbel
