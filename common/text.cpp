#include "common/text.h"

#include <limits>

namespace quorbel {

Text Widen(std::string_view ascii) {
  Text out;
  out.reserve(ascii.size());
  for (unsigned char c : ascii) out.push_back(static_cast<char16_t>(c));
  return out;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string ToUtf8(TextView text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // lone surrogate
    }
    AppendUtf8(out, cp);
  }
  return out;
}

namespace {

// Length of the UTF-8 sequence led by `lead`, or 0 when it cannot lead one.
size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

void AppendCodePoint(Text& out, uint32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

Text FromUtf8(std::string_view utf8) {
  return FromUtf8Or(utf8, [](unsigned char) { return u'\uFFFD'; });
}

Text FromUtf8Or(std::string_view utf8, char16_t (*invalid_byte)(unsigned char)) {
  Text out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t len = SequenceLength(lead);
    bool valid = len != 0 && i + len <= utf8.size();
    uint32_t cp = len == 1 ? lead : len == 2 ? (lead & 0x1F) : len == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (size_t k = 1; valid && k < len; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + k]);
      valid = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (valid && len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) valid = false;
    if (valid && len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) valid = false;
    if (!valid) {
      out.push_back(invalid_byte(lead));
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += len;
  }
  return out;
}

Text DecimalText(long long value) { return Widen(std::to_string(value)); }

Text TrimSpaces(TextView text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return Text(text.substr(first, last - first));
}

std::optional<long long> ParseInteger(TextView text, long long min, long long max) {
  const Text trimmed = TrimSpaces(text);
  size_t i = 0;
  bool negative = false;
  if (i < trimmed.size() && (trimmed[i] == u'-' || trimmed[i] == u'+')) {
    negative = trimmed[i] == u'-';
    ++i;
  }
  if (i == trimmed.size()) return std::nullopt;
  long long value = 0;
  constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 9;
  for (; i < trimmed.size(); ++i) {
    const char16_t c = trimmed[i];
    if (c < u'0' || c > u'9') return std::nullopt;
    if (value > kLimit) return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  if (negative) value = -value;
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<int16_t> ParseInt16(TextView text) {
  const auto value = ParseInteger(text, std::numeric_limits<int16_t>::min(),
                                  std::numeric_limits<int16_t>::max());
  if (!value) return std::nullopt;
  return static_cast<int16_t>(*value);
}

}  // namespace quorbel
