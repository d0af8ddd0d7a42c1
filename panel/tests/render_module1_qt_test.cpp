// Module1 on QPainter where it differs from other platforms: sizes in
// 96-dpi points on any device, trimming inside the box, fontconfig's
// replacement for a missing family, and the painter left as it was.
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

TEST(Module1QtTest, GlyphWiderThanTheBoxIsTrimmedInsideIt) {
  const QImage trimmed = Text10(u"WWW", false, 12);
  EXPECT_LT(InkWhere(trimmed, IsInk, true).last, 10 + 12);
}

TEST(Module1QtTest, MissingFontFamilyDrawsInItsReplacement) {
  EXPECT_GE(InkWhere(Text10(u"Lost", true, 250, 96, u"No Such Family Anywhere"), IsInk).first, 0);
}

TEST(Module1QtTest, LevelBarLeavesThePainterUnfaded) {
  TempDir dir;
  ASSERT_TRUE(WriteIconSheet(dir.File(u"icons.png")));
  const QImage sprites = LoadPng(dir.File(u"icons.png"));
  QImage canvas = TestCanvas(200, 80);
  QPainter painter(&canvas);
  DrawLevelBar(painter, sprites, 30, 1, 0.5F);
  EXPECT_EQ(painter.opacity(), 1.0) << "what is drawn next is not faded";
}

}  // namespace
}  // namespace quorbel
