#include <gtest/gtest.h>

#include "panel/frame_cache.h"

namespace quorbel {
namespace {

// A painter that only makes frames and counts what it does to them.
class FakeFrame : public PainterImage {
 public:
  explicit FakeFrame(PixelSize size) : size_(size) {}
  PixelSize Size() const override { return size_; }
  int clears = 0;

 private:
  PixelSize size_;
};

class FramesOnlyPainter : public Painter {
 public:
  ImagePtr Load(const Text&) override { return nullptr; }
  ImagePtr LoadCorner(const Text&, PixelSize) override { return nullptr; }
  ImagePtr Blank(PixelSize) override { return nullptr; }
  ImagePtr BlankFrame(PixelSize size) override {
    ++made;
    return std::make_unique<FakeFrame>(size);
  }
  void Clear(PainterImage& frame) override { ++static_cast<FakeFrame&>(frame).clears; }
  std::unique_ptr<Canvas> Begin(PainterImage&, double) override { return nullptr; }
  FramePixels Pixels(const PainterImage&) const override { return {}; }
  std::unique_ptr<HeadingMeasurer> LabelFontMeasurer(double) const override { return nullptr; }
  int made = 0;
};

constexpr PixelSize kSize{450, 140};

class FrameCacheTest : public ::testing::Test {
 protected:
  // Counts the differences it is asked for; the frames differ in one row.
  std::optional<PixelRect> Change(const PainterImage& next) {
    return frames_.ChangeToShow(next, [this](const PainterImage&, const PainterImage&) {
      ++differences_;
      return PixelRect{390, 74, 40, 30};
    });
  }

  FramesOnlyPainter painter_;
  FrameCache frames_;
  int differences_ = 0;
};

TEST_F(FrameCacheTest, ShakeTicksFindTheirFramesAndAThirdPlaceNeverRedrawsTheShownOne) {
  PainterImage* up = frames_.Take(74, kSize, painter_);
  PainterImage* down = frames_.Take(77, kSize, painter_);
  EXPECT_EQ(frames_.Find(74, kSize), up);
  EXPECT_EQ(frames_.Find(77, kSize), down);
  EXPECT_EQ(frames_.Find(74, {300, 100}), nullptr) << "a frame of another size is no match";

  frames_.Shown(up);
  PainterImage* third = frames_.Take(80, kSize, painter_);
  EXPECT_EQ(third, down) << "the frame on screen stays the base of the next update";
  EXPECT_EQ(frames_.Find(74, kSize), up);
  EXPECT_EQ(frames_.Find(77, kSize), nullptr);
  EXPECT_EQ(painter_.made, 2) << "a frame of the same size is cleared, not made again";
  EXPECT_EQ(static_cast<FakeFrame*>(third)->clears, 1);
}

TEST_F(FrameCacheTest, ChangeIsWorkedOutOncePerPairAndForgottenWithTheFrames) {
  PainterImage* up = frames_.Take(74, kSize, painter_);
  PainterImage* down = frames_.Take(77, kSize, painter_);
  EXPECT_EQ(Change(*up), std::nullopt) << "nothing shown yet: the whole frame";
  frames_.Shown(up);
  EXPECT_EQ(Change(*up), PixelRect{}) << "the frame on screen: nothing to push";
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(Change(*down), (PixelRect{390, 74, 40, 30}));
  EXPECT_EQ(differences_, 1);

  frames_.Invalidate();
  EXPECT_EQ(frames_.Find(74, kSize), nullptr);
  EXPECT_EQ(Change(*down), std::nullopt) << "after a new panel the screen is unknown";
}

}  // namespace
}  // namespace quorbel
