#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "common/native_path.h"
#include "panel/panel_renderer_qt.h"
#include "panel/tests/render_fixtures_qt.h"

namespace quorbel {
namespace {

using namespace fixtures;

// Pixels of the composed frame are premultiplied; opaque ones equal their
// straight colour.
bool IsNear(uint32_t pixel, Argb colour, int tolerance = 2) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((colour >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

PanelTexts NoTexts() { return PanelTexts{}; }

PanelTexts DefaultTexts() {
  return PanelTexts{u"QUORBEL WARNING",
                    u"Continuous use of computer :",
                    u"Level :",
                    u"Quorbel risk :",
                    {u"No any risk", u"Carpal tunnel syndrome, Nearsightedness",
                     u"Carpal tunnel syndrome, Nearsightedness"},
                    u"Quorbel advice :",
                    {u"Does not require action", u"Recommended rest and exercise.",
                     u"Recommended rest and exercise."}};
}

class RecordingSink : public FrameSink {
 public:
  void ShowFrame(const QImage& frame) override { frames.push_back(frame); }
  std::vector<QImage> frames;
};

class QtRendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteSolidPng(dir_.File(u"skin.png"), kPanelWidth, kPanelHeight, kSkinColour));
    ASSERT_TRUE(WriteSolidPng(dir_.File(u"logo.png"), 40, 27, kLogoColour));
    renderer_ = MakeQtPanelRenderer(&sink_, dir_.Path());
  }

  void WriteIcons() { ASSERT_TRUE(WriteIconSheet(dir_.File(u"icons.png"))); }

  PanelModel Model(const Text& skin, PanelTexts texts, int16_t level) {
    return PanelModel{dir_.File(skin), std::move(texts), u" 01:05", level};
  }

  QImage Draw(const PanelModel& model, int32_t logo_top = 74) {
    renderer_->DrawPanel(model);
    return renderer_->ComposeFrame(logo_top);
  }

  // Opaque pixels in `rows` brighter than the skin: drawn text.
  static int CountTextPixels(const QImage& frame, int32_t first_row, int32_t last_row) {
    int count = 0;
    for (int32_t y = first_row; y <= last_row; ++y) {
      for (int32_t x = 0; x < frame.width(); ++x) count += qRed(frame.pixel(x, y)) > 0xA0;
    }
    return count;
  }

  TempDir dir_;
  RecordingSink sink_;
  std::unique_ptr<QtPanelRenderer> renderer_;
};

TEST_F(QtRendererTest, SkinFillsTheWindowAndASmallerOneLeavesTheRestTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 100, kSkinColour));
  const QImage full = Draw(Model(u"skin.png", NoTexts(), 1));
  ASSERT_EQ(full.width(), kPanelWidth);
  ASSERT_EQ(full.height(), kPanelHeight);
  EXPECT_EQ(full.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_TRUE(IsNear(full.pixel(0, 0), kSkinColour));
  EXPECT_TRUE(IsNear(full.pixel(449, 139), kSkinColour));

  const QImage small = Draw(Model(u"small.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 100);
  ASSERT_EQ(small.width(), kPanelWidth);
  EXPECT_TRUE(IsNear(small.pixel(299, 99), kSkinColour));
  for (int32_t y = 0; y < small.height(); ++y) {
    for (int32_t x = 0; x < small.width(); ++x) {
      if (x >= 300 || y >= 100) {
        ASSERT_EQ(small.pixel(x, y), 0u) << x << "," << y;
      }
    }
  }
}

TEST_F(QtRendererTest, LevelBarHasOneBlockPerLevelRightOfTheLevelHeading) {
  WriteIcons();
  PanelTexts texts = NoTexts();
  texts.level = u"Level :";
  const int32_t expected_x =
      static_cast<int32_t>(std::lround(MakeQtLabelFontMeasurer()->Width(texts.level) + 55));
  ASSERT_GT(expected_x, 70);
  for (int16_t level = 1; level <= 3; ++level) {
    const QImage frame = Draw(Model(u"skin.png", texts, level));
    int32_t first = -1;
    int32_t run = 0;
    for (int32_t x = 0; x < frame.width(); ++x) {
      if (!IsNear(frame.pixel(x, 58), kBarColour)) continue;
      if (first < 0) first = x;
      ++run;
    }
    EXPECT_EQ(first, expected_x) << level;
    EXPECT_EQ(run, 16 * level) << level;
    EXPECT_TRUE(IsNear(frame.pixel(expected_x, 50), kBarColour)) << level;
    EXPECT_TRUE(IsNear(frame.pixel(expected_x, 49), kSkinColour)) << level;
    EXPECT_TRUE(IsNear(frame.pixel(expected_x, 66), kSkinColour)) << level;
  }
}

TEST_F(QtRendererTest, LabelFontMeasuresHeadingsOnOneLine) {
  const auto measurer = MakeQtLabelFontMeasurer();
  EXPECT_EQ(measurer->Width(u""), 0.0F);
  const float one = measurer->Width(u"Risk level:");
  // Verdana or its replacement at 13 pixels bold: about 6 to 7 pixels a letter.
  EXPECT_GT(one, 60.0F);
  EXPECT_LT(one, 90.0F);
  EXPECT_EQ(one, std::round(one)) << "whole pixels, as the Windows program measures";
  EXPECT_GT(measurer->Width(u"Risk level: Risk level:"), 2 * one);
}

TEST_F(QtRendererTest, LogoMovesWithLogoTopAndThePanelCoversItsLowerEdge) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", NoTexts(), 1));
  const QImage up = renderer_->ComposeFrame(74);
  const QImage down = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(up.pixel(410, 74), kLogoColour));
  EXPECT_TRUE(IsNear(up.pixel(410, 73), kSkinColour));
  EXPECT_TRUE(IsNear(down.pixel(410, 77), kLogoColour));
  EXPECT_TRUE(IsNear(down.pixel(410, 76), kSkinColour));
  EXPECT_TRUE(IsNear(down.pixel(410, 99), kLogoColour));
  for (int32_t y = 100; y < 104; ++y) {
    EXPECT_TRUE(IsNear(down.pixel(410, y), kSkinColour)) << y;  // covered by the opaque panel
  }
  EXPECT_TRUE(IsNear(down.pixel(389, 80), kSkinColour));
  EXPECT_TRUE(IsNear(down.pixel(430, 80), kSkinColour));
}

TEST_F(QtRendererTest, LogoShowsInsideTheCoverWhereThePanelIsTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"short.png"), kPanelWidth, 90, kSkinColour));
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"short.png", NoTexts(), 1));
  const QImage frame = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(frame.pixel(410, 102), kLogoColour));
  EXPECT_EQ(frame.pixel(410, 104), 0u);
}

TEST_F(QtRendererTest, LongRiskLineWrapsBelowItsLine) {
  PanelTexts texts = NoTexts();
  texts.risk = u"Quorbel risk :";
  texts.risk_dec[0] = u"Short";
  const QImage short_line = Draw(Model(u"skin.png", texts, 1));
  texts.risk_dec[0] =
      u"Carpal tunnel syndrome, Nearsightedness, Back pain, Neck pain, Dry eyes, Headache";
  const QImage long_line = Draw(Model(u"skin.png", texts, 1));
  ASSERT_GT(CountTextPixels(long_line, 71, 84), 0);
  EXPECT_EQ(CountTextPixels(short_line, 87, 104), 0);
  EXPECT_GT(CountTextPixels(long_line, 87, 104), 0);
}

TEST_F(QtRendererTest, LevelsOutsideOneToThreeDrawNeitherLevelLine) {
  PanelTexts without_lines = DefaultTexts();
  without_lines.risk_dec = {};
  without_lines.advice_dec = {};
  const QImage bare = Draw(Model(u"skin.png", without_lines, 1));
  const QImage level_one = Draw(Model(u"skin.png", DefaultTexts(), 1));
  EXPECT_NE(level_one, bare);
  for (int16_t level : {int16_t{0}, int16_t{4}}) {
    EXPECT_EQ(Draw(Model(u"skin.png", DefaultTexts(), level)), bare) << level;
  }
}

TEST_F(QtRendererTest, MissingIconsAndLogoLeaveTheTextsDrawn) {
  const QImage frame = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(frame.pixel(20, 32), kSkinColour)) << "no icon";
  EXPECT_TRUE(IsNear(frame.pixel(410, 80), kSkinColour)) << "no logo";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_GT(CountTextPixels(frame, 107, 125), 0);
}

TEST_F(QtRendererTest, SkinThatNeverLoadedGivesAPlainPanelAtEveryDraw) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  Draw(Model(u"missing.png", DefaultTexts(), 1));  // start-up's draw
  const QImage frame = Draw(Model(u"missing.png", DefaultTexts(), 2));  // a reminder's
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_EQ(qUnpremultiply(frame.pixel(5, 135)), kPlainBody) << "the plain panel fills the window";
  EXPECT_GT(qRed(frame.pixel(440, 5)), 200) << "under a light title band";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_TRUE(IsNear(frame.pixel(410, 80), kLogoColour));

  const QImage skinned = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(skinned.pixel(5, 135), kSkinColour)) << "a skin that loads replaces it";
}

TEST_F(QtRendererTest, HugeSkinIsCutAtTheWindowSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"huge.png"), 2048, 2048, kSkinColour));
  const QImage frame = Draw(Model(u"huge.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_TRUE(IsNear(frame.pixel(449, 139), kSkinColour)) << "the skin fills the window to its corner";
}

// One column more than 2048 x 2048 (4 Mi pixels, the budget), and the skin,
// the logo and the sprite sheet are each missing: the plain panel shows
// where each would be.
TEST_F(QtRendererTest, PicturesOverThePixelBudgetAreMissing) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"big.png"), 2049, 2048, kLogoColour));
  for (const char16_t* name : {u"logo.png", u"icons.png"}) {
    std::filesystem::copy_file(SlashPath(dir_.File(u"big.png")), SlashPath(dir_.File(name)),
                               std::filesystem::copy_options::overwrite_existing);
  }
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  const QImage frame = Draw(Model(u"big.png", NoTexts(), 1));
  const QPoint icon(kSectionIconPlaces[0].x + 8, kSectionIconPlaces[0].y + 8);
  for (const QPoint place : {QPoint(5, 135), QPoint(410, 80), icon}) {
    EXPECT_EQ(qUnpremultiply(frame.pixel(place)), kPlainBody) << place.x() << ", " << place.y();
  }
}

TEST_F(QtRendererTest, SkinLostAfterAnEarlierSuccessDrawsOnATransparentImageOfThatSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 120, kSkinColour));
  Draw(Model(u"small.png", DefaultTexts(), 1));
  const QImage frame = Draw(Model(u"missing.png", DefaultTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 120);
  EXPECT_EQ(frame.pixel(5, 115), 0u);
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
}

TEST_F(QtRendererTest, EachDrawPanelStartsFromAFreshImage) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"glass.png"), kPanelWidth, kPanelHeight, 0x80FFFFFF));
  Draw(Model(u"skin.png", NoTexts(), 1));
  const QImage frame = Draw(Model(u"glass.png", NoTexts(), 1));
  // Half-transparent white, premultiplied; nothing of the earlier dark skin.
  EXPECT_TRUE(IsNear(frame.pixel(200, 130), 0x80808080));
}

TEST_F(QtRendererTest, PresentPanelHandsTheComposedFrameToTheSink) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  renderer_->PresentPanel(74);
  renderer_->PresentPanel(77);
  ASSERT_EQ(sink_.frames.size(), 2u);
  EXPECT_EQ(sink_.frames[0], renderer_->ComposeFrame(74));
  EXPECT_EQ(sink_.frames[1], renderer_->ComposeFrame(77));
  EXPECT_NE(sink_.frames[0], sink_.frames[1]);

  const auto silent = MakeQtPanelRenderer(nullptr, dir_.Path());
  silent->LoadLogo(dir_.File(u"logo.png"));
  silent->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  silent->PresentPanel(74);
  EXPECT_EQ(silent->ComposeFrame(74), sink_.frames[0]) << "without a sink it still composes";
}

TEST_F(QtRendererTest, ShakeTicksReuseTheirFramesUntilThePanelOrTheLogoChanges) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 2));
  for (int tick = 0; tick < 4; ++tick) renderer_->PresentPanel(tick % 2 == 0 ? 74 : 77);
  ASSERT_EQ(sink_.frames.size(), 4u);
  EXPECT_EQ(sink_.frames[2].cacheKey(), sink_.frames[0].cacheKey()) << "composed once";
  EXPECT_EQ(sink_.frames[3].cacheKey(), sink_.frames[1].cacheKey());

  renderer_->DrawPanel(Model(u"skin.png", DefaultTexts(), 3));
  EXPECT_NE(renderer_->ComposeFrame(74), sink_.frames[0]) << "a new panel, a new frame";
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"blue.png"), 40, 27, 0xFF0000FF));
  renderer_->LoadLogo(dir_.File(u"blue.png"));
  EXPECT_TRUE(IsNear(renderer_->ComposeFrame(74).pixel(410, 80), 0xFF0000FF)) << "a new logo";
  renderer_->LoadLogo(dir_.File(u"missing.png"));
  EXPECT_TRUE(IsNear(renderer_->ComposeFrame(74).pixel(410, 80), kSkinColour)) << "no logo";
}

}  // namespace
}  // namespace quorbel
