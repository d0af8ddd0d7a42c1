#pragma once
// Pixel rectangles and sizes, one definition for the whole program.
#include <cstdint>

namespace quorbel {

struct PixelRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const PixelSize&) const = default;
};

}  // namespace quorbel
