#include <gtest/gtest.h>

#include <vector>

#include "panel/frame_difference.h"

namespace quorbel {
namespace {

constexpr PixelSize kSize{6, 4};

// A bottom-up frame: memory row 0 is the window's last line.
struct Frame {
  std::vector<uint32_t> pixels = std::vector<uint32_t>(6 * 4, 0x80102030);
  void Set(int32_t x, int32_t window_y, uint32_t value) {
    pixels[static_cast<size_t>((kSize.height - 1 - window_y) * kSize.width + x)] = value;
  }
};

TEST(FrameDifferenceTest, EqualFramesDifferNowhere) {
  const Frame a;
  const Frame b;
  EXPECT_EQ(DifferingRect(a.pixels.data(), b.pixels.data(), kSize), PixelRect{});
}

TEST(FrameDifferenceTest, OnePixelIsFoundAtItsWindowPlace) {
  const Frame a;
  Frame b;
  b.Set(4, 0, 0);  // first window line, last memory row
  EXPECT_EQ(DifferingRect(a.pixels.data(), b.pixels.data(), kSize), (PixelRect{4, 0, 1, 1}));
  Frame c;
  c.Set(0, 3, 0x80102031);  // a change in one channel counts
  EXPECT_EQ(DifferingRect(a.pixels.data(), c.pixels.data(), kSize), (PixelRect{0, 3, 1, 1}));
}

TEST(FrameDifferenceTest, ScatteredChangesGiveTheBoxAroundAllOfThem) {
  const Frame a;
  Frame b;
  b.Set(3, 1, 0);
  b.Set(1, 2, 0);
  b.Set(5, 2, 0);
  EXPECT_EQ(DifferingRect(a.pixels.data(), b.pixels.data(), kSize), (PixelRect{1, 1, 5, 2}));
}

}  // namespace
}  // namespace quorbel
