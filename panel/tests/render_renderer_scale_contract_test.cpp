// The panel renderer at a screen's scale, on every platform: the frame in
// device pixels, everything at its scaled place, a skin's larger picture
// where it has one, and texts drawn at the scale rather than enlarged.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "common/display_scale.h"
#include "tests/support/render_fixture.h"

namespace quorbel {
namespace {

using namespace fixtures;

constexpr Argb kLargeSkinColour = 0xFF405060;
constexpr Argb kRightHalfColour = 0xFF608020;

class ScaledRendererTest : public RendererTest, public ::testing::WithParamInterface<double> {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    renderer_->SetScale(scale_);
  }
  int32_t At(double logical) const { return static_cast<int32_t>(std::lround(logical * scale_.Factor())); }

  DisplayScale scale_{GetParam()};
};

// Channel-wise largest difference of two premultiplied pixels.
int Difference(uint32_t a, uint32_t b) {
  int largest = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                         static_cast<int>((b >> shift) & 0xFF)));
  }
  return largest;
}

// Pixels in the rows [top, bottom) of `frame` that differ clearly from
// `other` (same size).
int ClearlyDifferent(const FramePixels& frame, const FramePixels& other, int32_t top, int32_t bottom) {
  int count = 0;
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) count += Difference(frame.At(x, y), other.At(x, y)) > 48;
  }
  return count;
}

TEST_P(ScaledRendererTest, FrameIsThePanelInDevicePixelsWithTheSkinScaledToIt) {
  ASSERT_TRUE(WritePng(dir_.File(u"halves.png"), kPanelWidth, kPanelHeight,
                       [](int32_t x, int32_t) { return x < 225 ? kSkinColour : kRightHalfColour; }));
  const FramePixels frame = Draw(Model(u"halves.png", NoTexts(), 1));
  ASSERT_EQ(frame.width, scale_.Length(kPanelWidth));
  ASSERT_EQ(frame.height, scale_.Length(kPanelHeight));
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth) << "the panel's size stays logical";
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_TRUE(IsNear(frame.At(0, 0), kSkinColour));
  EXPECT_TRUE(IsNear(frame.At(At(220), frame.height - 1), kSkinColour));
  EXPECT_TRUE(IsNear(frame.At(At(230), 0), kRightHalfColour)) << "scaled, not cut";
  EXPECT_TRUE(IsNear(frame.At(frame.width - 1, frame.height - 1), kRightHalfColour))
      << "opaque to the corner";
}

TEST_P(ScaledRendererTest, LogoCoverAndLevelBarStandAtTheirScaledPlaces) {
  WriteIcons();
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  PanelTexts texts = NoTexts();
  texts.level = u"Level :";
  renderer_->DrawPanel(Model(u"skin.png", texts, 2));
  const FramePixels frame = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(frame.At(At(410), At(78)), kLogoColour));
  EXPECT_TRUE(IsNear(frame.At(At(410), At(76)), kSkinColour));
  EXPECT_TRUE(IsNear(frame.At(At(410), At(99)), kLogoColour));
  EXPECT_TRUE(IsNear(frame.At(At(410), At(101)), kSkinColour)) << "the panel covers the logo";
  EXPECT_TRUE(IsNear(frame.At(At(18 + 8), At(30 + 8)), kIconColours[0]));

  // Headings are measured as the platform draws them at the scale.
  const double bar_x = std::lround(MakePainter()->LabelFontMeasurer(scale_.Factor())->Width(texts.level) + 55);
  int32_t first = -1;
  int32_t run = 0;
  for (int32_t x = 0; x < frame.width; ++x) {
    if (!IsNear(frame.At(x, At(58)), kBarColour)) continue;
    if (first < 0) first = x;
    ++run;
  }
  EXPECT_NEAR(first, bar_x * scale_.Factor(), 1.0);
  EXPECT_NEAR(run, 32 * scale_.Factor(), 2.0);
}

TEST_P(ScaledRendererTest, LargerPicturesOfSkinAndLogoAreDrawnAboveScaleOne) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"skin@2x.png"), 2 * kPanelWidth, 2 * kPanelHeight,
                            kLargeSkinColour));
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"logo@2x.png"), 80, 54, kRightHalfColour));
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small@2x.png"), 601, 199, kLargeSkinColour));
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 100, 50, kSkinColour));
  const bool larger = scale_.Factor() > 1.0;
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  const FramePixels frame = Draw(Model(u"skin.png", NoTexts(), 1));
  EXPECT_TRUE(IsNear(frame.At(frame.width - 1, frame.height - 1), larger ? kLargeSkinColour : kSkinColour));
  EXPECT_TRUE(IsNear(frame.At(At(410), At(80)), larger ? kRightHalfColour : kLogoColour));

  const FramePixels small = Draw(Model(u"small.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), larger ? 301 : 100);
  EXPECT_EQ(renderer_->PanelHeight(), larger ? 100 : 50);
  EXPECT_TRUE(IsNear(small.At(At(renderer_->PanelWidth()) - 2, At(renderer_->PanelHeight()) - 2),
                     larger ? kLargeSkinColour : kSkinColour));
  EXPECT_EQ(small.At(At(renderer_->PanelWidth()) + 1, 0), 0u);
}

// The 1x render enlarged pixel by pixel is what a system that enlarges the
// window shows: a render at the scale must differ from it on the texts'
// edges, and only there.
TEST_P(ScaledRendererTest, TextsAreDrawnAtTheScaleNotEnlarged) {
  const FramePixels scaled = Draw(Model(u"skin.png", DefaultTexts(), 2));
  const DisplayScale at_scale = scale_;
  renderer_->SetScale(DisplayScale(1.0));
  const FramePixels one = Draw(Model(u"skin.png", DefaultTexts(), 2));
  FramePixels enlarged{scaled.width, scaled.height, {}};
  for (int32_t y = 0; y < scaled.height; ++y) {
    for (int32_t x = 0; x < scaled.width; ++x) {
      const auto from = [&](int32_t v, int32_t size) {
        return std::min(size - 1, static_cast<int32_t>(v / at_scale.Factor()));
      };
      enlarged.pixels.push_back(one.At(from(x, one.width), from(y, one.height)));
    }
  }
  // The title's and the use line's rows; below the advice line only skin.
  const int different = ClearlyDifferent(scaled, enlarged, 0, At(50));
  if (at_scale.IsOne()) {
    EXPECT_EQ(different, 0);
  } else {
    EXPECT_GT(different, 200);
  }
  EXPECT_EQ(ClearlyDifferent(scaled, enlarged, At(128), scaled.height), 0);
  if (!at_scale.IsOne()) {
    EXPECT_GT(CountTextPixels(scaled, At(30), At(45)), CountTextPixels(one, 30, 45))
        << "the use line's glyphs cover more pixels at a larger scale";
  }
}

// At 2 a render made at the scale is no enlarged 1x picture: averaging each
// 2 x 2 block and spreading it back changes it wherever text has an edge.
TEST_F(RendererTest, AtScaleTwoTextEdgesAreFinerThanTwoByTwoBlocks) {
  renderer_->SetScale(DisplayScale(2.0));
  const FramePixels scaled = Draw(Model(u"skin.png", DefaultTexts(), 2));
  FramePixels blocks = scaled;
  for (int32_t y = 0; y + 1 < scaled.height; y += 2) {
    for (int32_t x = 0; x + 1 < scaled.width; x += 2) {
      uint32_t mean = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 0;
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
          sum += (scaled.At(x + dx, y + dy) >> shift) & 0xFF;
        }
        mean |= ((sum + 2) / 4) << shift;
      }
      for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {0, 1}, {1, 1}}) {
        blocks.pixels[static_cast<size_t>(y + dy) * static_cast<size_t>(scaled.width) +
                      static_cast<size_t>(x + dx)] = mean;
      }
    }
  }
  EXPECT_GT(ClearlyDifferent(scaled, blocks, 0, 100), 100);
  EXPECT_EQ(ClearlyDifferent(scaled, blocks, 256, scaled.height), 0);
}

// The time worked follows its heading with room to spare at every scale,
// however the platform's hinted glyphs grow with it.
TEST_P(ScaledRendererTest, TimeWorkedStartsRightOfItsHeadingAsDrawn) {
  PanelTexts texts = NoTexts();
  texts.use_times = u"Working without a break:";
  const FramePixels heading = Draw(PanelModel{dir_.File(u"skin.png"), texts, u"", 1});
  const FramePixels both = Draw(PanelModel{dir_.File(u"skin.png"), texts, u"00:00", 1});
  int32_t heading_end = -1;
  for (int32_t y = At(30); y <= At(44); ++y) {
    for (int32_t x = 0; x < heading.width; ++x) {
      if (Red(Straight(heading.At(x, y))) > 0xA0) heading_end = std::max(heading_end, x);
    }
  }
  int32_t value_start = both.width;
  for (int32_t y = At(20); y <= At(52); ++y) {
    for (int32_t x = 0; x < both.width; ++x) {
      if (Difference(both.At(x, y), heading.At(x, y)) > 48) value_start = std::min(value_start, x);
    }
  }
  ASSERT_GT(heading_end, At(100));
  ASSERT_LT(value_start, both.width);
  EXPECT_GT(value_start, heading_end + 1) << "heading ends at " << heading_end;
}

TEST_P(ScaledRendererTest, NewScaleDrawsThePanelAndLogoAgain) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->SetScale(DisplayScale(1.0));
  Draw(Model(u"skin.png", DefaultTexts(), 1));
  renderer_->SetScale(scale_);
  const FramePixels frame = renderer_->ComposeFrame(74);
  ASSERT_EQ(frame.width, scale_.Length(kPanelWidth));
  EXPECT_TRUE(IsNear(frame.At(frame.width - 1, frame.height - 1), kSkinColour));
  EXPECT_TRUE(IsNear(frame.At(At(429), At(80)), kLogoColour));
  EXPECT_GT(CountTextPixels(frame, At(30), At(45)), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledRendererTest, ::testing::Values(1.0, 1.5, 2.0),
                         [](const ::testing::TestParamInfo<double>& info) {
                           return "Scale" + std::to_string(static_cast<int>(info.param * 100));
                         });

}  // namespace
}  // namespace quorbel
