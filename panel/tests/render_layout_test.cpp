#include <gtest/gtest.h>

#include <map>

#include "panel/module1.h"
#include "panel/panel_layout.h"

namespace quorbel {
namespace {

// Widths chosen per heading so a mix-up between headings shows.
class FakeMeasurer : public HeadingMeasurer {
 public:
  std::map<Text, float> widths;
  float Width(TextView heading) override {
    const auto found = widths.find(Text(heading));
    return found == widths.end() ? 0.0F : found->second;
  }
};

PanelModel Model(int16_t level) {
  PanelModel model;
  model.texts = PanelTexts{u"TITLE", u"Use :", u"Lvl :", u"Risk :", {u"r1", u"r2", u"r3"},
                           u"Adv :", {u"a1", u"a2", u"a3"}};
  model.use_time_text = u" 01:05";
  model.alarm_level = level;
  return model;
}

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() {
    measurer.widths = {{u"Use :", 201.0F}, {u"Lvl :", 30.4F}, {u"Risk :", 92.0F}, {u"Adv :", 111.0F}};
  }
  FakeMeasurer measurer;
};

TEST(Module1Test, MakeArgbPutsAlphaOnTopThenRedGreenBlue) {
  EXPECT_EQ(MakeArgb(150, 255, 255, 255), 0x96FFFFFFu);
  EXPECT_EQ(MakeArgb(255, 254, 239, 73), 0xFFFEEF49u);
  EXPECT_EQ(MakeArgb(200, 0, 0, 0), 0xC8000000u);
  EXPECT_EQ(MakeArgb(0, 1, 2, 3), 0x00010203u);
}

TEST(Module1Test, LevelBarHasOneBlockPerLevelAndNoneOutsideOneToThree) {
  EXPECT_EQ(LevelBarWidth(1), 16);
  EXPECT_EQ(LevelBarWidth(2), 32);
  EXPECT_EQ(LevelBarWidth(3), 48);
  for (int level : {-1, 0, 4, 32767}) EXPECT_EQ(LevelBarWidth(level), 0) << level;
}

TEST(Module1Test, OpacityMatrixScalesOnlyAlpha) {
  const ColourMatrix m = OpacityMatrix(0.5F);
  for (size_t row = 0; row < 5; ++row) {
    for (size_t col = 0; col < 5; ++col) {
      const float expected = row != col ? 0.0F : row == 3 ? 0.5F : 1.0F;
      EXPECT_EQ(m[row][col], expected) << row << "," << col;
    }
  }
}

TEST_F(LayoutTest, HeadingsFollowTheFixedTableInDrawingOrder) {
  const PanelLayout layout = LayOutPanel(Model(1), measurer);
  const auto bold = FontStyle::Bold;
  const std::vector<TextRow> expected{
      {u"TITLE", 13, 4, 12, bold, 0x96FFFFFF, false, 250},
      {u"TITLE", 13, 3, 12, bold, 0xFF000000, false, 250},
      {u"Use :", 40, 30, 10, bold, 0xFFFFFFFF, true, 450},
      {u" 01:05", 241, 20, 20, FontStyle::Regular, 0xFFFFFFFF, true, 250},
      {u"Lvl :", 40, 50, 10, bold, 0xFFFFFFFF, true, 250},
      {u"Risk :", 40, 70, 10, bold, 0xFFFFFFFF, true, 250},
      {u"Adv :", 40, 107, 10, bold, 0xFFFEEF49, true, 250},
  };
  EXPECT_EQ(layout.headings, expected);
}

TEST_F(LayoutTest, ValuesStartAfterTheirMeasuredHeadings) {
  const PanelLayout layout = LayOutPanel(Model(2), measurer);
  ASSERT_EQ(layout.level_lines.size(), 2u);
  EXPECT_EQ(layout.level_lines[0],
            (TextRow{u"r2", 147, 71, 9, FontStyle::Regular, 0xFFFFFFFF, true, 450}));
  EXPECT_EQ(layout.level_lines[1],
            (TextRow{u"a2", 166, 108, 10, FontStyle::Regular, 0xFFFFFFFF, true, 450}));
  EXPECT_EQ(layout.level_bar_x, 85);  // 30.4 + 55 to the nearest pixel
  EXPECT_EQ(layout.level_bar_width, 32);
}

TEST_F(LayoutTest, LevelBarXRoundsToTheNearestPixel) {
  measurer.widths[u"Lvl :"] = 30.6F;
  EXPECT_EQ(LayOutPanel(Model(1), measurer).level_bar_x, 86);
  measurer.widths.erase(u"Lvl :");
  EXPECT_EQ(LayOutPanel(Model(1), measurer).level_bar_x, 55);  // empty heading: bar alone
}

TEST_F(LayoutTest, EachLevelPicksItsOwnLinesAndAdviceShrinksAtLevelThree) {
  const PanelLayout one = LayOutPanel(Model(1), measurer);
  const PanelLayout three = LayOutPanel(Model(3), measurer);
  EXPECT_EQ(one.level_lines[0].text, u"r1");
  EXPECT_EQ(one.level_lines[1].text, u"a1");
  EXPECT_EQ(one.level_lines[1].size, 10);
  EXPECT_EQ(one.level_bar_width, 16);
  EXPECT_EQ(three.level_lines[0].text, u"r3");
  EXPECT_EQ(three.level_lines[1].text, u"a3");
  EXPECT_EQ(three.level_lines[1].size, 9);
  EXPECT_EQ(three.level_lines[0].size, 9);
  EXPECT_EQ(three.level_bar_width, 48);
}

TEST_F(LayoutTest, LevelsOutsideOneToThreeDrawNeitherLevelLineNorBar) {
  for (int16_t level : {int16_t{0}, int16_t{4}, int16_t{-1}}) {
    const PanelLayout layout = LayOutPanel(Model(level), measurer);
    EXPECT_TRUE(layout.level_lines.empty()) << level;
    EXPECT_EQ(layout.level_bar_width, 0) << level;
    EXPECT_EQ(layout.headings.size(), 7u) << level;
  }
}

TEST(PanelLeftTest, CentresTheWindowDroppingTheOddPixel) {
  EXPECT_EQ(PanelLeft(1280), 415);
  EXPECT_EQ(PanelLeft(1281), 415);
  EXPECT_EQ(PanelLeft(450), 0);
  EXPECT_EQ(PanelLeft(400), -25);
}

}  // namespace
}  // namespace quorbel
