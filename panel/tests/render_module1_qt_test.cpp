#include <gtest/gtest.h>

#include <functional>

#include "panel/module1_qt.h"
#include "tests/support/render_fixture_qt.h"

namespace quorbel {
namespace {

using namespace fixtures;

constexpr Argb kWhite = 0xFFFFFFFF;
const Text kVerdana = u"Verdana";

struct Ink {
  int32_t first = -1;
  int32_t last = -1;
};

// Rows (or columns) holding pixels whose straight colour `matches`.
Ink InkWhere(const QImage& image, const std::function<bool(Argb)>& matches, bool columns = false) {
  Ink ink;
  const int32_t outer = columns ? image.width() : image.height();
  const int32_t inner = columns ? image.height() : image.width();
  for (int32_t a = 0; a < outer; ++a) {
    for (int32_t b = 0; b < inner; ++b) {
      if (!matches(qUnpremultiply(columns ? image.pixel(a, b) : image.pixel(b, a)))) continue;
      if (ink.first < 0) ink.first = a;
      ink.last = a;
      break;
    }
  }
  return ink;
}

bool IsBrightInk(Argb c) { return Alpha(c) > 200 && Red(c) > 200; }
bool IsDarkInk(Argb c) { return Alpha(c) > 60 && Red(c) < 60 && Green(c) < 60 && Blue(c) < 60; }
bool IsInk(Argb c) { return Alpha(c) != 0; }

QImage Text10(const Text& text, bool shadow, int32_t width = 250, int dpi = 96,
              const Text& font = kVerdana) {
  QImage canvas = TestCanvas(200, 40);
  canvas.setDotsPerMeterX(qRound(dpi / 0.0254));
  canvas.setDotsPerMeterY(qRound(dpi / 0.0254));
  QPainter painter(&canvas);
  DrawShadowText(painter, text, 10, 10, font, 10, kWhite, FontStyle::Bold, shadow, width);
  painter.end();
  return canvas;
}

TEST(Module1QtTest, ShadowIsABlackCopyOnePixelBelowTheText) {
  const QImage plain = Text10(u"Shadow", false);
  const QImage shadowed = Text10(u"Shadow", true);

  EXPECT_EQ(InkWhere(plain, IsDarkInk).first, -1) << "no shadow, nothing black";
  const Ink plain_text = InkWhere(plain, IsBrightInk);
  const Ink shadow_text = InkWhere(shadowed, IsBrightInk);
  const Ink shadow = InkWhere(shadowed, IsDarkInk);
  ASSERT_GE(plain_text.first, 10);
  EXPECT_EQ(shadow_text.first, plain_text.first - 1);
  EXPECT_EQ(shadow.last, shadow_text.last + 1);
  EXPECT_EQ(InkWhere(shadowed, IsInk, true).first, InkWhere(plain, IsInk, true).first)
      << "no horizontal offset";
  EXPECT_EQ(InkWhere(shadowed, IsInk, true).last, InkWhere(plain, IsInk, true).last);
}

TEST(Module1QtTest, TextStartsAfterTheLinePaddingAndKeepsItsPixelSizeOnAnyDevice) {
  const QImage at_96 = Text10(u"Hxl", false);
  const QImage at_192 = Text10(u"Hxl", false, 250, 192);
  const Ink columns = InkWhere(at_96, IsInk, true);
  // A sixth of the 13.3-pixel em, then the H's own side bearing.
  EXPECT_GE(columns.first, 12);
  EXPECT_LE(columns.first, 14);
  EXPECT_EQ(InkWhere(at_192, IsInk).first, InkWhere(at_96, IsInk).first);
  EXPECT_EQ(InkWhere(at_192, IsInk).last, InkWhere(at_96, IsInk).last);
  EXPECT_EQ(InkWhere(at_192, IsInk, true).last, columns.last);
}

TEST(Module1QtTest, TextWiderThanTheLayoutWidthWrapsDownwards) {
  const Text words = u"Carpal tunnel syndrome, Nearsightedness";
  const auto draw = [&](int32_t width) {
    QImage canvas = TestCanvas(300, 120);
    QPainter painter(&canvas);
    DrawShadowText(painter, words, 0, 0, kVerdana, 9, kWhite, FontStyle::Regular, false, width);
    painter.end();
    return canvas;
  };
  const QImage one_line = draw(450);
  const QImage wrapped = draw(90);
  const Ink single = InkWhere(one_line, IsInk);
  const Ink several = InkWhere(wrapped, IsInk);
  ASSERT_GE(single.last, 0);
  EXPECT_GT(several.last, single.last + 2 * (single.last - single.first));
  EXPECT_LT(InkWhere(wrapped, IsInk, true).last, 90);
}

TEST(Module1QtTest, GlyphWiderThanTheBoxIsTrimmedInsideIt) {
  const QImage trimmed = Text10(u"WWW", false, 12);
  EXPECT_LT(InkWhere(trimmed, IsInk, true).last, 10 + 12);
}

TEST(Module1QtTest, MissingFontFamilyDrawsInItsReplacementAndEmptyTextDrawsNothing) {
  EXPECT_GE(InkWhere(Text10(u"Lost", true, 250, 96, u"No Such Family Anywhere"), IsInk).first, 0);
  EXPECT_EQ(InkWhere(Text10(u"", true), IsInk).first, -1);
}

class Module1QtSpritesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteIconSheet(dir_.File(u"icons.png")));
    sprites_ = LoadPng(dir_.File(u"icons.png"));
    ASSERT_FALSE(sprites_.isNull());
  }
  QImage Bar(int32_t level, float opacity, const QImage& sprites) const {
    QImage canvas = TestCanvas(200, 80);
    QPainter painter(&canvas);
    DrawLevelBar(painter, sprites, 30, level, opacity);
    painter.end();
    return canvas;
  }
  TempDir dir_;
  QImage sprites_;
};

TEST_F(Module1QtSpritesTest, LevelBarDrawsOneBlockPerLevelAtTheLevelLine) {
  for (int32_t level = 1; level <= 3; ++level) {
    const QImage canvas = Bar(level, 1.0F, sprites_);
    const int32_t width = 16 * level;
    EXPECT_EQ(canvas.pixel(30, 50), kBarColour) << level;
    EXPECT_EQ(canvas.pixel(30 + width - 1, 65), kBarColour) << level;
    EXPECT_EQ(canvas.pixel(30 + width, 57), 0u) << level;
    EXPECT_EQ(canvas.pixel(29, 57), 0u) << level;
    EXPECT_EQ(canvas.pixel(35, 49), 0u) << level;
    EXPECT_EQ(canvas.pixel(35, 66), 0u) << level;
  }
}

TEST_F(Module1QtSpritesTest, LevelBarOutsideOneToThreeOrWithoutSpritesDrawsNothing) {
  EXPECT_EQ(InkWhere(Bar(0, 1.0F, sprites_), IsInk).first, -1);
  EXPECT_EQ(InkWhere(Bar(4, 1.0F, sprites_), IsInk).first, -1);
  EXPECT_EQ(InkWhere(Bar(2, 1.0F, QImage()), IsInk).first, -1);
}

TEST_F(Module1QtSpritesTest, LevelBarOpacityHalvesAlphaAndKeepsColour) {
  const QImage canvas = Bar(1, 0.5F, sprites_);
  const Argb pixel = qUnpremultiply(canvas.pixel(37, 57));
  EXPECT_NEAR(Alpha(pixel), 128, 2);
  EXPECT_EQ(pixel & 0xFFFFFF, kBarColour & 0xFFFFFF);
  QImage again = TestCanvas(200, 80);
  QPainter painter(&again);
  DrawLevelBar(painter, sprites_, 30, 1, 0.5F);
  EXPECT_EQ(painter.opacity(), 1.0) << "what is drawn next is not faded";
}

TEST_F(Module1QtSpritesTest, SectionIconsGoToTheirLinesAndAMissingSheetLeavesThemUntouched) {
  QImage canvas = TestCanvas(120, 130);
  QPainter painter(&canvas);
  DrawSectionIcons(painter, dir_.File(u"icons.png"));
  painter.end();
  const int32_t lines[4] = {30, 50, 70, 107};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.pixel(18, lines[i]), kIconColours[i]) << i;
    EXPECT_EQ(canvas.pixel(33, lines[i] + 15), kIconColours[i]) << i;
    EXPECT_EQ(canvas.pixel(34, lines[i] + 8), 0u) << i;
  }
  QImage untouched = TestCanvas(120, 130);
  QPainter other(&untouched);
  DrawSectionIcons(other, dir_.File(u"missing.png"));
  other.end();
  EXPECT_EQ(InkWhere(untouched, IsInk).first, -1);
}

}  // namespace
}  // namespace quorbel
