#include "common/display_scale.h"

#include <gtest/gtest.h>

#include <limits>

namespace quorbel {
namespace {

TEST(DisplayScaleTest, PanelFiguresAtTheCommonScales) {
  EXPECT_EQ(DisplayScale(1.0).Size({450, 140}), (PixelSize{450, 140}));
  EXPECT_EQ(DisplayScale(1.5).Size({450, 140}), (PixelSize{675, 210}));
  EXPECT_EQ(DisplayScale(2.0).Size({450, 140}), (PixelSize{900, 280}));
  EXPECT_EQ(DisplayScale::FromDpi(144), DisplayScale(1.5));
  EXPECT_EQ(DisplayScale::FromDpi(192), DisplayScale(2.0));
  EXPECT_EQ(DisplayScale::FromDpi(120).Length(450), 563) << "562.5 rounds away from zero";
  EXPECT_EQ(DisplayScale::FromDpi(120).Length(-140), -175);
  EXPECT_EQ(DisplayScale::FromDpi(120).Length(-10), -13) << "a slide step at 125 %";
}

TEST(DisplayScaleTest, RectangleKeepsItsSizeWhereverItMoves) {
  const DisplayScale scale(1.25);
  const PixelRect up = scale.Rect({390, 74, 40, 27});
  const PixelRect down = scale.Rect({390, 77, 40, 27});
  EXPECT_EQ(up, (PixelRect{488, 93, 50, 34}));
  EXPECT_EQ(down.height, up.height);
  EXPECT_EQ(down.y, 96);
}

// The Windows panel window keeps its top in device pixels; the cycle
// reads it back in logical ones after each 10-pixel step.
TEST(DisplayScaleTest, SlideTopsSurviveTheRoundTrip) {
  for (int32_t dpi : {96, 120, 144, 168, 192, 288}) {
    const DisplayScale scale = DisplayScale::FromDpi(dpi);
    for (int32_t top = -140; top <= 0; ++top) {
      ASSERT_EQ(scale.Logical(scale.Length(top)), top) << dpi << " dpi, top " << top;
    }
    EXPECT_EQ(scale.Logical(scale.Length(140)), 140) << dpi;
  }
}

// A repaint of the logical cover must reach every changed device pixel, at
// whole and fractional ratios alike.
TEST(DisplayScaleTest, LogicalCoverHoldsEveryChangedDevicePixel) {
  for (double factor : {1.0, 1.25, 1.5, 1.75, 2.0, 2.5}) {
    const DisplayScale scale(factor);
    const PixelSize panel = scale.Size({450, 140});
    for (const PixelRect device : {PixelRect{0, 0, panel.width, panel.height}, PixelRect{487, 92, 51, 36},
                                   PixelRect{1, 1, 1, 1}, PixelRect{panel.width - 3, 5, 3, 2}}) {
      if (device.x + device.width > panel.width) continue;
      const PixelRect cover = scale.LogicalCover(device);
      EXPECT_LE(cover.x * factor, device.x) << factor;
      EXPECT_LE(cover.y * factor, device.y) << factor;
      EXPECT_GE((cover.x + cover.width) * factor, device.x + device.width) << factor;
      EXPECT_GE((cover.y + cover.height) * factor, device.y + device.height) << factor;
    }
  }
  EXPECT_EQ(DisplayScale(2.0).LogicalCover({487, 93, 50, 34}), (PixelRect{243, 46, 26, 18}));
}

TEST(DisplayScaleTest, BrokenFactorsAndDpisGiveOne) {
  for (double factor : {0.0, -2.0, 0.1, 100.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()}) {
    EXPECT_TRUE(DisplayScale(factor).IsOne()) << factor;
  }
  EXPECT_TRUE(DisplayScale::FromDpi(0).IsOne());
  EXPECT_TRUE(DisplayScale::FromDpi(-96).IsOne());
  EXPECT_EQ(DisplayScale(0.75).Length(140), 105) << "a low-density screen is a real one";
}

}  // namespace
}  // namespace quorbel
