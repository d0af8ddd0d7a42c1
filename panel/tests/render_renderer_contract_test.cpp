// What every platform's panel renderer does, compiled once per platform
// against its painter (GDI+ under Wine, QPainter offscreen).
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/render_fixture.h"

namespace quorbel {
namespace {

using namespace fixtures;

TEST_F(RendererTest, SkinFillsTheWindowAndASmallerOneLeavesTheRestTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 100, kSkinColour));
  const FramePixels full = Draw(Model(u"skin.png", NoTexts(), 1));
  ASSERT_EQ(full.width, kPanelWidth);
  ASSERT_EQ(full.height, kPanelHeight);
  EXPECT_TRUE(IsNear(full.At(0, 0), kSkinColour));
  EXPECT_TRUE(IsNear(full.At(449, 139), kSkinColour));

  const FramePixels small = Draw(Model(u"small.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 100);
  ASSERT_EQ(small.width, kPanelWidth);
  EXPECT_TRUE(IsNear(small.At(299, 99), kSkinColour));
  for (int32_t y = 0; y < small.height; ++y) {
    for (int32_t x = 0; x < small.width; ++x) {
      if (x >= 300 || y >= 100) {
        ASSERT_EQ(small.At(x, y), 0u) << x << "," << y;
      }
    }
  }
}

TEST_F(RendererTest, LabelFontMeasuresHeadingsOnOneLine) {
  const auto measurer = MakeLabelMeasurer();
  EXPECT_EQ(measurer->Width(u""), 0.0F);
  const float one = measurer->Width(u"Risk level:");
  // Verdana or its replacement at 13 pixels bold: about 6 to 7 pixels a letter.
  EXPECT_GT(one, 60.0F);
  EXPECT_LT(one, 90.0F);
  EXPECT_EQ(one, std::round(one)) << "whole pixels, as the Windows program measures";
  EXPECT_GT(measurer->Width(u"Risk level: Risk level:"), 2 * one);
}

TEST_F(RendererTest, LevelBarHasOneBlockPerLevelRightOfTheLevelHeading) {
  WriteIcons();
  PanelTexts texts = NoTexts();
  texts.level = u"Level :";
  const int32_t expected_x =
      static_cast<int32_t>(std::lround(MakeLabelMeasurer()->Width(texts.level) + 55));
  ASSERT_GT(expected_x, 70);
  for (int16_t level = 1; level <= 3; ++level) {
    const FramePixels frame = Draw(Model(u"skin.png", texts, level));
    int32_t first = -1;
    int32_t run = 0;
    for (int32_t x = 0; x < frame.width; ++x) {
      if (!IsNear(frame.At(x, 58), kBarColour)) continue;
      if (first < 0) first = x;
      ++run;
    }
    EXPECT_EQ(first, expected_x) << level;
    EXPECT_EQ(run, 16 * level) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 50), kBarColour)) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 49), kSkinColour)) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 66), kSkinColour)) << level;
  }
}

TEST_F(RendererTest, LogoMovesWithLogoTopAndThePanelCoversItsLowerEdge) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", NoTexts(), 1));
  const FramePixels up = renderer_->ComposeFrame(74);
  const FramePixels down = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(up.At(410, 74), kLogoColour));
  EXPECT_TRUE(IsNear(up.At(410, 73), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(410, 77), kLogoColour));
  EXPECT_TRUE(IsNear(down.At(410, 76), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(410, 99), kLogoColour));
  for (int32_t y = 100; y < 104; ++y) {
    EXPECT_TRUE(IsNear(down.At(410, y), kSkinColour)) << y;  // covered by the opaque panel
  }
  EXPECT_TRUE(IsNear(down.At(389, 80), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(430, 80), kSkinColour));
}

TEST_F(RendererTest, LogoShowsInsideTheCoverWhereThePanelIsTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"short.png"), kPanelWidth, 90, kSkinColour));
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"short.png", NoTexts(), 1));
  const FramePixels frame = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(frame.At(410, 102), kLogoColour));
  EXPECT_EQ(frame.At(410, 104), 0u);
}

TEST_F(RendererTest, LongRiskLineWrapsBelowItsLine) {
  PanelTexts texts = NoTexts();
  texts.risk = u"Quorbel risk :";
  texts.risk_dec[0] = u"Short";
  const FramePixels short_line = Draw(Model(u"skin.png", texts, 1));
  texts.risk_dec[0] =
      u"Carpal tunnel syndrome, Nearsightedness, Back pain, Neck pain, Dry eyes, Headache";
  const FramePixels long_line = Draw(Model(u"skin.png", texts, 1));
  ASSERT_GT(CountTextPixels(long_line, 71, 84), 0);
  EXPECT_EQ(CountTextPixels(short_line, 87, 104), 0);
  EXPECT_GT(CountTextPixels(long_line, 87, 104), 0);
}

TEST_F(RendererTest, LevelsOutsideOneToThreeDrawNeitherLevelLine) {
  PanelTexts without_lines = DefaultTexts();
  without_lines.risk_dec = {};
  without_lines.advice_dec = {};
  const FramePixels bare = Draw(Model(u"skin.png", without_lines, 1));
  const FramePixels level_one = Draw(Model(u"skin.png", DefaultTexts(), 1));
  EXPECT_NE(level_one.pixels, bare.pixels);
  for (int16_t level : {int16_t{0}, int16_t{4}}) {
    EXPECT_EQ(Draw(Model(u"skin.png", DefaultTexts(), level)).pixels, bare.pixels) << level;
  }
}

TEST_F(RendererTest, MissingIconsAndLogoLeaveTheTextsDrawn) {
  const FramePixels frame = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(frame.At(20, 32), kSkinColour)) << "no icon";
  EXPECT_TRUE(IsNear(frame.At(410, 80), kSkinColour)) << "no logo";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_GT(CountTextPixels(frame, 107, 125), 0);
}

TEST_F(RendererTest, SkinThatNeverLoadedGivesAPlainPanelAtEveryDraw) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  Draw(Model(u"missing.png", DefaultTexts(), 1));  // start-up's draw
  const FramePixels frame = Draw(Model(u"missing.png", DefaultTexts(), 2));  // a reminder's
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_EQ(frame.At(5, 135) >> 24, 240u) << "the plain panel fills the window";
  EXPECT_EQ(Straight(frame.At(5, 135)), kPlainBody) << "the plain panel fills the window";
  EXPECT_GT(Red(Straight(frame.At(440, 5))), 200) << "under a light title band";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_TRUE(IsNear(frame.At(410, 80), kLogoColour));

  const FramePixels skinned = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(skinned.At(5, 135), kSkinColour)) << "a skin that loads replaces it";
}

TEST_F(RendererTest, HugeSkinIsCutAtTheWindowSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"huge.png"), 2048, 2048, kSkinColour));
  const FramePixels frame = Draw(Model(u"huge.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_TRUE(IsNear(frame.At(449, 139), kSkinColour)) << "the skin fills the window to its corner";
}

// One column more than 2048 x 2048 (4 Mi pixels, the budget), and the skin,
// the logo and the sprite sheet are each missing: the plain panel shows
// where each would be.
TEST_F(RendererTest, PicturesOverThePixelBudgetAreMissing) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"big.png"), 2049, 2048, kLogoColour));
  for (const char16_t* name : {u"logo.png", u"icons.png"}) {
    CopyFile(dir_.File(u"big.png"), dir_.File(name));
  }
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  const FramePixels frame = Draw(Model(u"big.png", NoTexts(), 1));
  const Point icon{kSectionIconPlaces[0].x + 8, kSectionIconPlaces[0].y + 8};
  for (const Point place : {Point{5, 135}, Point{410, 80}, icon}) {
    EXPECT_EQ(frame.At(place.x, place.y) >> 24, 240u) << place.x << ", " << place.y;
    EXPECT_EQ(Straight(frame.At(place.x, place.y)), kPlainBody) << place.x << ", " << place.y;
  }
}

TEST_F(RendererTest, SkinLostAfterAnEarlierSuccessDrawsOnATransparentImageOfThatSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 120, kSkinColour));
  Draw(Model(u"small.png", DefaultTexts(), 1));
  const FramePixels frame = Draw(Model(u"missing.png", DefaultTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 120);
  EXPECT_EQ(frame.At(5, 115), 0u);
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
}

TEST_F(RendererTest, EachDrawPanelStartsFromAFreshImage) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"glass.png"), kPanelWidth, kPanelHeight, 0x80FFFFFF));
  Draw(Model(u"skin.png", NoTexts(), 1));
  const FramePixels frame = Draw(Model(u"glass.png", NoTexts(), 1));
  // Half-transparent white, premultiplied; nothing of the earlier dark skin.
  EXPECT_TRUE(IsNear(frame.At(200, 130), 0x80808080));
}

TEST_F(RendererTest, ANewPanelOrLogoGivesNewFrames) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  const FramePixels level_two = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_NE(Draw(Model(u"skin.png", DefaultTexts(), 3)).pixels, level_two.pixels)
      << "a new panel, a new frame";
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"blue.png"), 40, 27, 0xFF0000FF));
  renderer_->LoadLogo(dir_.File(u"blue.png"));
  EXPECT_TRUE(IsNear(renderer_->ComposeFrame(74).At(410, 80), 0xFF0000FF)) << "a new logo";
  renderer_->LoadLogo(dir_.File(u"missing.png"));
  EXPECT_TRUE(IsNear(renderer_->ComposeFrame(74).At(410, 80), kSkinColour)) << "no logo";
}

}  // namespace
}  // namespace quorbel
