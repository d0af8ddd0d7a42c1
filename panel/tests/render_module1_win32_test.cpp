#include <gtest/gtest.h>

#include "panel/gdiplus_session_win32.h"
#include "panel/module1_win32.h"
#include "tests/support/render_fixture_win32.h"

namespace quorbel {
namespace {

using namespace fixtures;

constexpr Argb kWhite = 0xFFFFFFFF;
const Text kVerdana = u"Verdana";

struct InkRows {
  int32_t first = -1;
  int32_t last = -1;
};

// Rows holding pixels that `matches`.
InkRows RowsWhere(const TestCanvas& canvas, const std::function<bool(Argb)>& matches) {
  InkRows rows;
  for (int32_t y = 0; y < canvas.Height(); ++y) {
    for (int32_t x = 0; x < canvas.Width(); ++x) {
      if (!matches(canvas.Pixel(x, y))) continue;
      if (rows.first < 0) rows.first = y;
      rows.last = y;
      break;
    }
  }
  return rows;
}

bool IsBrightInk(Argb c) { return Alpha(c) > 200 && Red(c) > 200; }
bool IsDarkInk(Argb c) { return Alpha(c) > 60 && Red(c) < 60 && Green(c) < 60 && Blue(c) < 60; }
bool IsInk(Argb c) { return Alpha(c) != 0; }

class Module1Win32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Started());
    gdip::GpFontFamily* family = nullptr;
    ASSERT_EQ(gdip::GdipCreateFontFamilyFromName(L"Verdana", nullptr, &family), gdip::Ok)
        << "GDI+ finds no Verdana: add the font replacements to the Wine prefix";
    gdip::GdipDeleteFontFamily(family);
  }
  GdiplusSession session_;
};

TEST_F(Module1Win32Test, ShadowIsABlackCopyOnePixelBelowTheText) {
  TestCanvas plain(200, 40);
  DrawShadowText(plain.Graphics(), u"Shadow", 10, 10, kVerdana, 10, kWhite, FontStyle::Bold, false,
                 250);
  TestCanvas shadowed(200, 40);
  DrawShadowText(shadowed.Graphics(), u"Shadow", 10, 10, kVerdana, 10, kWhite, FontStyle::Bold,
                 true, 250);

  EXPECT_EQ(RowsWhere(plain, IsDarkInk).first, -1) << "no shadow, nothing black";
  const InkRows plain_text = RowsWhere(plain, IsBrightInk);
  const InkRows shadow_text = RowsWhere(shadowed, IsBrightInk);
  const InkRows shadow = RowsWhere(shadowed, IsDarkInk);
  ASSERT_GE(plain_text.first, 10);
  EXPECT_EQ(shadow_text.first, plain_text.first - 1);
  EXPECT_EQ(shadow.last, shadow_text.last + 1);
}

TEST_F(Module1Win32Test, TextWiderThanTheLayoutWidthWrapsDownwards) {
  const Text words = u"Carpal tunnel syndrome, Nearsightedness";
  TestCanvas one_line(300, 120);
  DrawShadowText(one_line.Graphics(), words, 0, 0, kVerdana, 9, kWhite, FontStyle::Regular, false,
                 450);
  TestCanvas wrapped(300, 120);
  DrawShadowText(wrapped.Graphics(), words, 0, 0, kVerdana, 9, kWhite, FontStyle::Regular, false,
                 90);
  const InkRows single = RowsWhere(one_line, IsInk);
  const InkRows several = RowsWhere(wrapped, IsInk);
  ASSERT_GE(single.last, 0);
  EXPECT_GT(several.last, single.last + 2 * (single.last - single.first));
}

TEST_F(Module1Win32Test, MissingFontFamilyOrEmptyTextDrawsNothing) {
  TestCanvas canvas(100, 40);
  DrawShadowText(canvas.Graphics(), u"Lost", 5, 5, u"No Such Family Anywhere", 10, kWhite,
                 FontStyle::Bold, true, 250);
  DrawShadowText(canvas.Graphics(), u"", 5, 5, kVerdana, 10, kWhite, FontStyle::Bold, true, 250);
  EXPECT_EQ(RowsWhere(canvas, IsInk).first, -1);
}

TEST_F(Module1Win32Test, LevelBarDrawsOneBlockPerLevelAtTheLevelLine) {
  TempDir dir;
  ASSERT_TRUE(WriteIconSheet(dir.File(u"icons.png")));
  const gdip::unique_image sprites = gdip::LoadImageFile(dir.File(u"icons.png"));
  for (int32_t level = 1; level <= 3; ++level) {
    TestCanvas canvas(200, 80);
    DrawLevelBar(canvas.Graphics(), sprites.get(), 30, level, 1.0F);
    const int32_t width = 16 * level;
    EXPECT_EQ(canvas.Pixel(30, 50), kBarColour) << level;
    EXPECT_EQ(canvas.Pixel(30 + width - 1, 65), kBarColour) << level;
    EXPECT_EQ(canvas.Pixel(30 + width, 57), 0u) << level;
    EXPECT_EQ(canvas.Pixel(29, 57), 0u) << level;
    EXPECT_EQ(canvas.Pixel(35, 49), 0u) << level;
    EXPECT_EQ(canvas.Pixel(35, 66), 0u) << level;
  }
}

TEST_F(Module1Win32Test, LevelBarOutsideOneToThreeOrWithoutSpritesDrawsNothing) {
  TempDir dir;
  ASSERT_TRUE(WriteIconSheet(dir.File(u"icons.png")));
  const gdip::unique_image sprites = gdip::LoadImageFile(dir.File(u"icons.png"));
  TestCanvas canvas(200, 80);
  DrawLevelBar(canvas.Graphics(), sprites.get(), 30, 0, 1.0F);
  DrawLevelBar(canvas.Graphics(), sprites.get(), 30, 4, 1.0F);
  DrawLevelBar(canvas.Graphics(), nullptr, 30, 2, 1.0F);
  EXPECT_EQ(RowsWhere(canvas, IsInk).first, -1);
}

TEST_F(Module1Win32Test, LevelBarOpacityHalvesAlphaAndKeepsColour) {
  TempDir dir;
  ASSERT_TRUE(WriteIconSheet(dir.File(u"icons.png")));
  const gdip::unique_image sprites = gdip::LoadImageFile(dir.File(u"icons.png"));
  TestCanvas canvas(200, 80);
  DrawLevelBar(canvas.Graphics(), sprites.get(), 30, 1, 0.5F);
  const Argb pixel = canvas.Pixel(37, 57);
  EXPECT_NEAR(Alpha(pixel), 128, 2);
  EXPECT_EQ(pixel & 0xFFFFFF, kBarColour & 0xFFFFFF);
}

TEST_F(Module1Win32Test, SectionIconsGoToTheirLinesAndAMissingSheetLeavesThemUntouched) {
  TempDir dir;
  ASSERT_TRUE(WriteIconSheet(dir.File(u"icons.png")));
  TestCanvas canvas(120, 130);
  DrawSectionIcons(canvas.Graphics(), dir.File(u"icons.png"));
  const int32_t lines[4] = {30, 50, 70, 107};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(canvas.Pixel(18, lines[i]), kIconColours[i]) << i;
    EXPECT_EQ(canvas.Pixel(33, lines[i] + 15), kIconColours[i]) << i;
    EXPECT_EQ(canvas.Pixel(34, lines[i] + 8), 0u) << i;
  }
  TestCanvas untouched(120, 130);
  DrawSectionIcons(untouched.Graphics(), dir.File(u"missing.png"));
  EXPECT_EQ(RowsWhere(untouched, IsInk).first, -1);
}

}  // namespace
}  // namespace quorbel
