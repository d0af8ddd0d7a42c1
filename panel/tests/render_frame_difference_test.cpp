#include <gtest/gtest.h>

#include <vector>

#include "panel/frame_difference.h"

namespace quorbel {
namespace {

constexpr PixelSize kSize{6, 4};

// A frame whose rows lie in `order`: bottom-up, memory row 0 is the window's
// last line.
struct Frame {
  explicit Frame(RowOrder rows = RowOrder::kBottomUp) : order(rows) {}
  RowOrder order;
  std::vector<uint32_t> pixels = std::vector<uint32_t>(6 * 4, 0x80102030);
  void Set(int32_t x, int32_t window_y, uint32_t value) {
    const int32_t row = order == RowOrder::kBottomUp ? kSize.height - 1 - window_y : window_y;
    pixels[static_cast<size_t>(row * kSize.width + x)] = value;
  }
  PixelRect DifferenceTo(const Frame& other) const {
    return DifferingRect(pixels.data(), other.pixels.data(), kSize, order);
  }
};

TEST(FrameDifferenceTest, EqualFramesDifferNowhere) {
  const Frame a;
  const Frame b;
  EXPECT_EQ(a.DifferenceTo(b), PixelRect{});
}

TEST(FrameDifferenceTest, OnePixelIsFoundAtItsWindowPlaceInEitherRowOrder) {
  for (const RowOrder order : {RowOrder::kBottomUp, RowOrder::kTopDown}) {
    const Frame a(order);
    Frame b(order);
    b.Set(4, 0, 0);  // the first window line: the last memory row of a bottom-up frame
    EXPECT_EQ(a.DifferenceTo(b), (PixelRect{4, 0, 1, 1}));
    Frame c(order);
    c.Set(0, 3, 0x80102031);  // a change in one channel counts
    EXPECT_EQ(a.DifferenceTo(c), (PixelRect{0, 3, 1, 1}));
  }
}

TEST(FrameDifferenceTest, ScatteredChangesGiveTheBoxAroundAllOfThem) {
  for (const RowOrder order : {RowOrder::kBottomUp, RowOrder::kTopDown}) {
    const Frame a(order);
    Frame b(order);
    b.Set(3, 1, 0);
    b.Set(1, 2, 0);
    b.Set(5, 2, 0);
    EXPECT_EQ(a.DifferenceTo(b), (PixelRect{1, 1, 5, 2}));
  }
}

}  // namespace
}  // namespace quorbel
