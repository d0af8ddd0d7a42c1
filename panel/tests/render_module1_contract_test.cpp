// Module1's three routines as every platform's painter draws them, compiled
// once per platform (GDI+ under Wine, QPainter offscreen).
#include <gtest/gtest.h>

#include <functional>

#include "tests/support/render_fixture.h"

namespace quorbel {
namespace {

using namespace fixtures;

constexpr Argb kWhite = 0xFFFFFFFF;

struct Ink {
  int32_t first = -1;
  int32_t last = -1;
};

// Rows (or columns) holding pixels whose straight colour `matches`.
Ink InkWhere(const FramePixels& image, const std::function<bool(Argb)>& matches,
             bool columns = false) {
  Ink ink;
  const int32_t outer = columns ? image.width : image.height;
  const int32_t inner = columns ? image.height : image.width;
  for (int32_t a = 0; a < outer; ++a) {
    for (int32_t b = 0; b < inner; ++b) {
      if (!matches(Straight(columns ? image.At(a, b) : image.At(b, a)))) continue;
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

class Module1Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session_.Started()); }

  // A transparent image of `size` after `draw` has drawn on it.
  FramePixels Drawn(PixelSize size, const std::function<void(Canvas&)>& draw) {
    const ImagePtr image = painter_->Blank(size);
    if (!image) return {};
    draw(*painter_->Begin(*image, 1.0));
    return painter_->Pixels(*image);
  }

  FramePixels Text10(const Text& text, bool shadow) {
    const TextRow row{text, 10, 10, 10, FontStyle::Bold, kWhite, shadow, 250};
    return Drawn({200, 40}, [&](Canvas& canvas) { canvas.DrawShadowText(row); });
  }

  FramePixels Bar(int32_t level, float opacity, const PainterImage* sprites) {
    return Drawn({200, 80},
                 [&](Canvas& canvas) { canvas.DrawLevelBar(sprites, 30, level, opacity); });
  }

  ImagePtr Sprites() {
    if (!WriteIconSheet(dir_.File(u"icons.png"))) return nullptr;
    return painter_->Load(dir_.File(u"icons.png"));
  }

  GraphicsSession session_;
  TempDir dir_;
  std::unique_ptr<Painter> painter_ = MakePainter();
};

TEST_F(Module1Test, ShadowIsABlackCopyOnePixelBelowTheText) {
  const FramePixels plain = Text10(u"Shadow", false);
  const FramePixels shadowed = Text10(u"Shadow", true);

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

TEST_F(Module1Test, TextWiderThanTheLayoutWidthWrapsDownwards) {
  const auto draw = [&](int32_t width) {
    const TextRow row{u"Carpal tunnel syndrome, Nearsightedness", 0, 0, 9, FontStyle::Regular,
                      kWhite, false, width};
    return Drawn({300, 120}, [&](Canvas& canvas) { canvas.DrawShadowText(row); });
  };
  const FramePixels one_line = draw(450);
  const FramePixels wrapped = draw(90);
  const Ink single = InkWhere(one_line, IsInk);
  const Ink several = InkWhere(wrapped, IsInk);
  ASSERT_GE(single.last, 0);
  EXPECT_GT(several.last, single.last + 2 * (single.last - single.first));
  EXPECT_LT(InkWhere(wrapped, IsInk, true).last, 90);
}

TEST_F(Module1Test, EmptyTextDrawsNothing) {
  EXPECT_EQ(InkWhere(Text10(u"", true), IsInk).first, -1);
}

TEST_F(Module1Test, LevelBarDrawsOneBlockPerLevelAtTheLevelLine) {
  const ImagePtr sprites = Sprites();
  ASSERT_TRUE(sprites);
  for (int32_t level = 1; level <= 3; ++level) {
    const FramePixels canvas = Bar(level, 1.0F, sprites.get());
    const int32_t width = 16 * level;
    EXPECT_EQ(canvas.At(30, 50), kBarColour) << level;
    EXPECT_EQ(canvas.At(30 + width - 1, 65), kBarColour) << level;
    EXPECT_EQ(canvas.At(30 + width, 57), 0u) << level;
    EXPECT_EQ(canvas.At(29, 57), 0u) << level;
    EXPECT_EQ(canvas.At(35, 49), 0u) << level;
    EXPECT_EQ(canvas.At(35, 66), 0u) << level;
  }
}

TEST_F(Module1Test, LevelBarOutsideOneToThreeOrWithoutSpritesDrawsNothing) {
  const ImagePtr sprites = Sprites();
  ASSERT_TRUE(sprites);
  EXPECT_EQ(InkWhere(Bar(0, 1.0F, sprites.get()), IsInk).first, -1);
  EXPECT_EQ(InkWhere(Bar(4, 1.0F, sprites.get()), IsInk).first, -1);
  EXPECT_EQ(InkWhere(Bar(2, 1.0F, nullptr), IsInk).first, -1);
}

TEST_F(Module1Test, LevelBarOpacityHalvesAlphaAndKeepsColour) {
  const ImagePtr sprites = Sprites();
  ASSERT_TRUE(sprites);
  const Argb pixel = Straight(Bar(1, 0.5F, sprites.get()).At(37, 57));
  EXPECT_NEAR(Alpha(pixel), 128, 2);
  EXPECT_EQ(pixel & 0xFFFFFF, kBarColour & 0xFFFFFF);
}

TEST_F(Module1Test, SectionIconsGoToTheirLinesAndAMissingSheetLeavesThemUntouched) {
  ASSERT_TRUE(WriteIconSheet(dir_.File(u"icons.png")));
  const FramePixels canvas = Drawn(
      {120, 130}, [&](Canvas& on) { on.DrawSectionIcons(dir_.File(u"icons.png")); });
  const int32_t lines[4] = {30, 50, 70, 107};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.At(18, lines[i]), kIconColours[i]) << i;
    EXPECT_EQ(canvas.At(33, lines[i] + 15), kIconColours[i]) << i;
    EXPECT_EQ(canvas.At(34, lines[i] + 8), 0u) << i;
  }
  const FramePixels untouched = Drawn(
      {120, 130}, [&](Canvas& on) { on.DrawSectionIcons(dir_.File(u"missing.png")); });
  EXPECT_EQ(InkWhere(untouched, IsInk).first, -1);
}

}  // namespace
}  // namespace quorbel
