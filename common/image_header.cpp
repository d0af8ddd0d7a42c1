#include "common/image_header.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace quorbel {

namespace {

using Bytes = std::span<const uint8_t>;

bool Has(Bytes head, std::size_t at, std::size_t count) {
  return at <= head.size() && count <= head.size() - at;
}

bool StartsWith(Bytes head, std::string_view prefix) {
  return Has(head, 0, prefix.size()) &&
         std::equal(prefix.begin(), prefix.end(), head.begin(),
                    [](char expected, uint8_t byte) { return static_cast<uint8_t>(expected) == byte; });
}

uint32_t Be16(Bytes b, std::size_t at) { return uint32_t{b[at]} << 8 | b[at + 1]; }
uint32_t Be32(Bytes b, std::size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }
uint32_t Le16(Bytes b, std::size_t at) { return uint32_t{b[at + 1]} << 8 | b[at]; }
uint32_t Le32(Bytes b, std::size_t at) { return Le16(b, at + 2) << 16 | Le16(b, at); }

std::optional<PixelSize> Sized(int64_t width, int64_t height) {
  constexpr int64_t kMost = std::numeric_limits<int32_t>::max();
  if (width < 1 || height < 1 || width > kMost || height > kMost) return std::nullopt;
  return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

// The IHDR chunk comes first, right after the signature.
std::optional<PixelSize> PngSize(Bytes head) {
  if (!Has(head, 8, 16) || Be32(head, 8) != 13 || !StartsWith(head.subspan(12), "IHDR")) {
    return std::nullopt;
  }
  return Sized(Be32(head, 16), Be32(head, 20));
}

// Start-of-frame markers; C4, C8 and CC in that range are other segments.
bool IsStartOfFrame(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The first frame header, after the segments before it (each with its length).
std::optional<PixelSize> JpegSize(Bytes head) {
  std::size_t at = 2;
  while (Has(head, at, 2)) {
    if (head[at] != 0xFF) return std::nullopt;
    const uint8_t marker = head[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    at += 2;
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length
    // Image data or its end before any frame header: no size.
    if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA || !Has(head, at, 2)) return std::nullopt;
    const std::size_t length = Be16(head, at);
    if (length < 2) return std::nullopt;
    if (IsStartOfFrame(marker)) {
      // length, precision, height, width
      if (length < 7 || !Has(head, at, 7)) return std::nullopt;
      return Sized(Be16(head, at + 5), Be16(head, at + 3));
    }
    at += length;
  }
  return std::nullopt;
}

// The file header, then the bitmap header: 16-bit sides in the old 12-byte
// form, 32-bit signed ones in every later form (a negative height stores the
// rows top-down).
std::optional<PixelSize> BmpSize(Bytes head) {
  if (!Has(head, 14, 4)) return std::nullopt;
  const uint32_t header_size = Le32(head, 14);
  if (header_size == 12) {
    if (!Has(head, 18, 4)) return std::nullopt;
    return Sized(Le16(head, 18), Le16(head, 20));
  }
  if (header_size < 16 || !Has(head, 18, 8)) return std::nullopt;
  const int64_t width = static_cast<int32_t>(Le32(head, 18));
  const int64_t height = static_cast<int32_t>(Le32(head, 22));
  return Sized(width, height < 0 ? -height : height);
}

// The logical screen, grown to the first frame wherever that reaches past
// it: a decoder makes its picture as large as either.
std::optional<PixelSize> GifSize(Bytes head) {
  if (!Has(head, 6, 7)) return std::nullopt;
  int64_t width = Le16(head, 6);
  int64_t height = Le16(head, 8);
  const uint8_t flags = head[10];
  std::size_t at = 13 + ((flags & 0x80) != 0 ? std::size_t{3} << ((flags & 7) + 1) : 0);
  while (Has(head, at, 1)) {
    if (head[at] == 0x2C) {  // image descriptor: left, top, width, height
      if (!Has(head, at + 1, 8)) return std::nullopt;
      width = std::max<int64_t>(width, int64_t{Le16(head, at + 1)} + Le16(head, at + 5));
      height = std::max<int64_t>(height, int64_t{Le16(head, at + 3)} + Le16(head, at + 7));
      return Sized(width, height);
    }
    if (head[at] != 0x21) return std::nullopt;  // neither an extension nor an image
    at += 2;  // introducer and label, then data blocks up to an empty one
    while (Has(head, at, 1) && head[at] != 0) at += std::size_t{head[at]} + 1;
    ++at;
  }
  return std::nullopt;
}

}  // namespace

ImageJudgement JudgeImageHead(Bytes head) {
  std::optional<PixelSize> size;
  ImageFormat format = ImageFormat::Other;
  if (StartsWith(head, "\x89PNG\r\n\x1a\n")) {
    size = PngSize(head);
    format = ImageFormat::Png;
  } else if (StartsWith(head, "\xFF\xD8\xFF")) {
    size = JpegSize(head);
    format = ImageFormat::Jpeg;
  } else if (StartsWith(head, "BM")) {
    size = BmpSize(head);
    format = ImageFormat::Bmp;
  } else if (StartsWith(head, "GIF87a") || StartsWith(head, "GIF89a")) {
    size = GifSize(head);
    format = ImageFormat::Gif;
  } else {
    return {ImageVerdict::Unknown, {}, format};
  }
  if (!size || !FitsPixelBudget(*size)) return {ImageVerdict::Refused, {}, format};
  return {ImageVerdict::Fits, *size, format};
}

bool FitsPixelBudget(PixelSize size) {
  return size.width >= 1 && size.height >= 1 &&
         int64_t{size.width} * int64_t{size.height} <= kImagePixelBudget;
}

PixelSize CornerToKeep(PixelSize size, PixelSize place) {
  return {std::min(size.width, place.width), std::min(size.height, place.height)};
}

}  // namespace quorbel
