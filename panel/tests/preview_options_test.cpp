#include <gtest/gtest.h>

#include "panel/preview_options.h"
#include "tests/support/memory_profile_store.h"

namespace quorbel {
namespace {

std::optional<PreviewOptions> Parse(std::initializer_list<const char16_t*> args) {
  std::vector<Text> list;
  for (const char16_t* arg : args) list.emplace_back(arg);
  return ParsePreviewOptions(list);
}

TEST(PreviewOptionsTest, ReadsEveryOptionAndDefaultsTheRest) {
  const auto all = Parse({u"--skin", u"3", u"--language", u"TitleDE", u"--level", u"4",
                          u"--minutes", u"75", u"--logo-top", u"-20", u"--scale", u"150", u"--out", u"p.png"});
  ASSERT_TRUE(all);
  EXPECT_EQ(all->skin, int16_t{3});
  EXPECT_EQ(all->language, Text(u"TitleDE"));
  EXPECT_EQ(all->level, 4);
  EXPECT_EQ(all->minutes, 75);
  EXPECT_EQ(all->logo_top, -20);
  EXPECT_EQ(all->scale_percent, 150);
  EXPECT_EQ(all->out, u"p.png");

  const auto bare = Parse({u"--out", u"p.png"});
  ASSERT_TRUE(bare);
  EXPECT_FALSE(bare->skin);
  EXPECT_FALSE(bare->language);
  EXPECT_EQ(bare->level, 1);
  EXPECT_EQ(bare->minutes, 0);
  EXPECT_EQ(bare->logo_top, 74);
  EXPECT_EQ(bare->scale_percent, 100);
}

TEST(PreviewOptionsTest, RefusesUnknownMissingOrOutOfRangeArguments) {
  EXPECT_FALSE(Parse({}));
  EXPECT_FALSE(Parse({u"--level", u"2"}));                     // no output file
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--level"}));       // value missing
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--level", u"5"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--minutes", u"-1"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--scale", u"0"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--scale", u"801"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--scale", u"1.5"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--skin", u"40000"}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--logo-top", u"x"}));
  EXPECT_FALSE(Parse({u"--out", u""}));
  EXPECT_FALSE(Parse({u"--out", u"p.png", u"--size", u"2"}));
}

TEST(PreviewOptionsTest, UsageLinesUpItsSecondLineUnderTheOptions) {
  const std::string usage = PreviewUsage("quorbel-preview");
  EXPECT_EQ(usage.find("usage: quorbel-preview [--skin N]"), 0u);
  EXPECT_NE(usage.find("\n                       [--logo-top Y] [--scale 25-800] --out FILE.png\n"),
            std::string::npos);
}

TEST(PreviewOptionsTest, ModelTakesTheGivenSkinAndLanguageOrThoseOfConfigIni) {
  testing::MemoryProfileStore profile;
  const ModIni ini(profile, u"/opt/q/");
  profile.Set(u"/opt/q/Config.ini", u"Skins", u"Selected", u"2");
  profile.Set(u"/opt/q/Config.ini", u"Skins", u"Bitmap2", u"skins\\two.png");
  profile.Set(u"/opt/q/Config.ini", u"Skins", u"Bitmap5", u"skins\\five.png");
  profile.Set(u"/opt/q/Config.ini", u"TitleDE", u"Title", u"PAUSE");

  PreviewOptions options = *Parse({u"--out", u"p.png", u"--minutes", u"75", u"--level", u"3"});
  const PanelModel selected = PreviewModel(ini, options);
  EXPECT_EQ(selected.skin_path, u"/opt/q/skins\\two.png");
  EXPECT_EQ(selected.texts.title, u"QUORBEL WARNING");
  EXPECT_EQ(selected.use_time_text, u" 01:15");
  EXPECT_EQ(selected.alarm_level, 3);

  options.skin = 5;
  options.language = u"TitleDE";
  const PanelModel chosen = PreviewModel(ini, options);
  EXPECT_EQ(chosen.skin_path, u"/opt/q/skins\\five.png");
  EXPECT_EQ(chosen.texts.title, u"PAUSE");
}

}  // namespace
}  // namespace quorbel
