#include <array>

#include "common/ansi.h"

namespace quorbel {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; 0 marks an unassigned byte.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::string ToAnsi(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    char mapped = '?';
    for (size_t i = 0; i < kHigh.size(); ++i) {
      if (kHigh[i] != 0 && kHigh[i] == c) mapped = static_cast<char>(0x80 + i);
    }
    out.push_back(mapped);
  }
  return out;
}

Text FromAnsi(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    if (b >= 0x80 && b <= 0x9F) {
      const char16_t mapped = kHigh[b - 0x80];
      out.push_back(mapped != 0 ? mapped : static_cast<char16_t>(b));
    } else {
      out.push_back(static_cast<char16_t>(b));
    }
  }
  return out;
}

}  // namespace quorbel
