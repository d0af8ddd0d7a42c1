#include "panel/frame_difference.h"

#include <algorithm>
#include <cstddef>

namespace quorbel {

PixelRect DifferingRect(const uint32_t* a, const uint32_t* b, PixelSize size, RowOrder order) {
  int32_t left = size.width;
  int32_t right = -1;
  int32_t top = size.height;
  int32_t bottom = -1;
  for (int32_t row = 0; row < size.height; ++row) {
    const size_t start = static_cast<size_t>(row) * static_cast<size_t>(size.width);
    const uint32_t* line_a = a + start;
    const uint32_t* line_b = b + start;
    int32_t first = 0;
    while (first < size.width && line_a[first] == line_b[first]) ++first;
    if (first == size.width) continue;
    int32_t last = size.width - 1;
    while (line_a[last] == line_b[last]) --last;
    const int32_t y = order == RowOrder::kBottomUp ? size.height - 1 - row : row;
    left = std::min(left, first);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  if (right < 0) return PixelRect{};
  return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace quorbel
