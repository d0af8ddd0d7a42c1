#pragma once
// A composed window frame as plain pixels, whatever made it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorbel {

// Premultiplied ARGB, top row first.
struct FramePixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int32_t x, int32_t y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

}  // namespace quorbel
