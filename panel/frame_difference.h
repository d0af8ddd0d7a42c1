#pragma once
// Where two frames of one size differ, so that switching the window from one
// to the other needs to push only that part.
#include <cstdint>

#include "common/geometry.h"

namespace quorbel {

// How a frame's rows lie in memory: a Windows DIB keeps its last window line
// first, a Qt image its first.
enum class RowOrder { kTopDown, kBottomUp };

// The smallest rectangle, in the window's top-down coordinates, that holds
// every pixel in which the frames `a` and `b`, rows in `order`, differ;
// empty (zero width and height) when they are equal.
PixelRect DifferingRect(const uint32_t* a, const uint32_t* b, PixelSize size, RowOrder order);

}  // namespace quorbel
