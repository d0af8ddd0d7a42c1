// The Linux renderer's hand-over to the panel window: the frames the sink
// gets, and the frames kept for the shake.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "panel/painter_qt.h"
#include "panel/panel_renderer_qt.h"
#include "tests/support/render_fixture_qt.h"

namespace quorbel {
namespace {

using namespace fixtures;

class RecordingSink : public FrameSink {
 public:
  void ShowFrame(const QImage& frame, std::optional<PixelRect> change) override {
    frames.push_back(frame);
    changes.push_back(change);
  }
  void ForgetFrame() override { ++forgotten; }
  std::vector<QImage> frames;
  std::vector<std::optional<PixelRect>> changes;
  int forgotten = 0;
};

class QtRendererTest : public RendererTest {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    renderer_ = MakeQtPanelRenderer(&sink_, dir_.Path());
  }

  RecordingSink sink_;
};

TEST_F(QtRendererTest, PresentPanelHandsTheComposedFrameToTheSink) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  renderer_->PresentPanel(74);
  renderer_->PresentPanel(77);
  ASSERT_EQ(sink_.frames.size(), 2u);
  EXPECT_EQ(sink_.frames[0].format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(sink_.frames[0].size(), QSize(kPanelWidth, kPanelHeight));
  EXPECT_EQ(ToFramePixels(sink_.frames[0]).pixels, renderer_->ComposeFrame(74).pixels);
  EXPECT_EQ(ToFramePixels(sink_.frames[1]).pixels, renderer_->ComposeFrame(77).pixels);
  EXPECT_NE(sink_.frames[0], sink_.frames[1]);

  const auto silent = MakeQtPanelRenderer(nullptr, dir_.Path());
  silent->LoadLogo(dir_.File(u"logo.png"));
  silent->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  silent->PresentPanel(74);
  EXPECT_EQ(silent->ComposeFrame(74).pixels, ToFramePixels(sink_.frames[0]).pixels)
      << "without a sink it still composes";
}

TEST_F(QtRendererTest, ShakeTicksReuseTheirFramesUntilThePanelOrTheLogoChanges) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  for (int tick = 0; tick < 4; ++tick) renderer_->PresentPanel(tick % 2 == 0 ? 74 : 77);
  ASSERT_EQ(sink_.frames.size(), 4u);
  EXPECT_EQ(sink_.frames[2].cacheKey(), sink_.frames[0].cacheKey()) << "composed once";
  EXPECT_EQ(sink_.frames[3].cacheKey(), sink_.frames[1].cacheKey());

  EXPECT_EQ(sink_.changes[0], std::nullopt) << "the first frame is shown whole";
  // The logo's two places, less the panel's own pixels laid over its lower
  // edge from y 100 on.
  const PixelRect logo_only{kLogoX, 74, kLogoWidth, kLogoCover.y - 74};
  for (size_t tick = 1; tick < 4; ++tick) {
    ASSERT_TRUE(sink_.changes[tick].has_value());
    const PixelRect change = *sink_.changes[tick];
    EXPECT_GT(change.width, 0);
    EXPECT_GE(change.x, logo_only.x);
    EXPECT_GE(change.y, logo_only.y);
    EXPECT_LE(change.x + change.width, logo_only.x + logo_only.width);
    EXPECT_LE(change.y + change.height, logo_only.y + logo_only.height);
  }
  renderer_->PresentPanel(77);
  EXPECT_EQ(sink_.frames.size(), 4u) << "the frame on screen is not shown again";

  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 3));
  renderer_->PresentPanel(74);
  EXPECT_NE(sink_.frames.back(), sink_.frames[0]) << "a new panel, a new frame";
  EXPECT_EQ(sink_.changes.back(), std::nullopt) << "a new panel is shown whole";
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"blue.png"), 40, 27, 0xFF0000FF));
  renderer_->LoadLogo(dir_.File(u"blue.png"));
  renderer_->PresentPanel(74);
  EXPECT_TRUE(IsNear(sink_.frames.back().pixel(410, 80), 0xFF0000FF)) << "a new logo";
  renderer_->LoadLogo(dir_.File(u"missing.png"));
  renderer_->PresentPanel(74);
  EXPECT_TRUE(IsNear(sink_.frames.back().pixel(410, 80), kSkinColour)) << "no logo";
}

// Out of view the panel keeps no pixels; drawn again, it is shown whole, as
// the window may have dropped what it showed.
TEST_F(QtRendererTest, AStowedPanelKeepsNoFrameAndIsShownWholeWhenDrawnAgain) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  renderer_->PresentPanel(74);
  renderer_->PresentPanel(77);
  renderer_->Stow();
  EXPECT_EQ(sink_.forgotten, 1);
  EXPECT_TRUE(renderer_->KeptFrame(74).pixels.empty());
  EXPECT_TRUE(renderer_->KeptFrame(77).pixels.empty());
  renderer_->SetScale(DisplayScale(2.0));
  EXPECT_EQ(sink_.frames.size(), 2u) << "a new scale shows nothing of a stowed panel";

  renderer_->SetScale(DisplayScale(1.0));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  renderer_->PresentPanel(77);
  ASSERT_EQ(sink_.frames.size(), 3u);
  EXPECT_EQ(sink_.changes.back(), std::nullopt);
  EXPECT_EQ(ToFramePixels(sink_.frames.back()).pixels, ToFramePixels(sink_.frames[1]).pixels);
}

}  // namespace
}  // namespace quorbel
