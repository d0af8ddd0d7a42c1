#include <gtest/gtest.h>

#include <limits>

#include "panel/panel_content.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "settings/tests/counting_files.h"

namespace quorbel {
namespace {

constexpr char16_t kAppDir[] = u"C:\\Clock\\";
constexpr char16_t kConfigPath[] = u"C:\\Clock\\Config.ini";

class PanelContentTest : public ::testing::Test {
 protected:
  PanelContent Load() { return LoadPanelContent(reg_, ini_); }
  void SetIni(TextView section, TextView key, TextView value) {
    profile_.Set(kConfigPath, section, key, value);
  }

  MemoryRegistry registry_;
  ModReg reg_{registry_};
  testing::MemoryProfileStore profile_;
  ModIni ini_{profile_, kAppDir};
};

TEST(FormatUseTime, FormatsHoursAndMinutesAfterOneSpace) {
  const std::pair<int32_t, const char16_t*> table[] = {
      {0, u" 00:00"},     {5, u" 00:05"},     {59, u" 00:59"},     {60, u" 01:00"},
      {605, u" 10:05"},   {6000, u" 100:00"}, {32767, u" 546:07"}, {40000, u" 666:40"},
      {std::numeric_limits<int32_t>::max(), u" 35791394:07"},
  };
  for (const auto& [minutes, text] : table) EXPECT_EQ(FormatUseTime(minutes), text) << minutes;
}

TEST(FormatUseTime, NegativeCountReadsAsZero) { EXPECT_EQ(FormatUseTime(-5), u" 00:00"); }

TEST_F(PanelContentTest, ReadsRegistryThenSkinThenLanguageTextsInOrder) {
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 1);
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", 15);
  SetIni(u"skins", u"selected", u"2");
  SetIni(u"Skins", u"Bitmap2", u"skins\\blue.png");
  SetIni(u"Skins", u"Language", u"TitleFR");
  SetIni(u"TitleFR", u"Title", u"ATTENTION");

  const PanelContent content = Load();

  EXPECT_EQ(content.interval, (AlarmInterval{1, 15}));
  EXPECT_EQ(content.selected_skin, 2);
  EXPECT_EQ(content.skin_path, u"C:\\Clock\\skins\\blue.png");
  EXPECT_EQ(content.language, u"TitleFR");
  EXPECT_EQ(content.texts.title, u"ATTENTION");

  const std::vector<std::pair<Text, Text>> expected = {
      {u"Skins", u"Selected"}, {u"Skins", u"Bitmap2"},   {u"Skins", u"Language"},
      {u"TitleFR", u"Title"},  {u"TitleFR", u"Usetimes"}, {u"TitleFR", u"Level"},
      {u"TitleFR", u"Risk"},   {u"TitleFR", u"Risk1"},    {u"TitleFR", u"Risk2"},
      {u"TitleFR", u"Risk3"},  {u"TitleFR", u"Advice"},   {u"TitleFR", u"Advice1"},
      {u"TitleFR", u"Advice2"}, {u"TitleFR", u"Advice3"},
  };
  ASSERT_EQ(profile_.reads().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(profile_.reads()[i].section, expected[i].first) << i;
    EXPECT_EQ(profile_.reads()[i].key, expected[i].second) << i;
  }
}

TEST_F(PanelContentTest, AbsentLanguageAndTextsGiveBuiltInEnglish) {
  SetIni(u"Skins", u"Selected", u"1");
  SetIni(u"TitleEN", u"Risk1", u"Alles gut");

  const PanelContent content = Load();

  EXPECT_EQ(content.language, u"TitleEN");
  EXPECT_EQ(content.texts.risk_dec[0], u"Alles gut");
  EXPECT_EQ(content.texts.title, u"QUORBEL WARNING");
  EXPECT_EQ(content.texts.use_times, u"Continuous use of computer :");
  EXPECT_EQ(content.texts.level, u"");
  EXPECT_EQ(content.texts.risk, u"Quorbel risk :");
  EXPECT_EQ(content.texts.advice, u"Quorbel advice :");
  EXPECT_EQ(content.texts.advice_dec[0], u"Does not require action");
}

TEST_F(PanelContentTest, LevelThreeFallsBackToBuiltInTextsNotToTheSectionsLevelTwo) {
  SetIni(u"Skins", u"Selected", u"1");
  SetIni(u"TitleEN", u"Risk2", u"Eye strain");
  SetIni(u"TitleEN", u"Advice2", u"Look away");

  const PanelTexts texts = Load().texts;

  EXPECT_EQ(texts.risk_dec[1], u"Eye strain");
  EXPECT_EQ(texts.advice_dec[1], u"Look away");
  EXPECT_EQ(texts.risk_dec[2], u"Carpal tunnel syndrome, Nearsightedness");
  EXPECT_EQ(texts.advice_dec[2], u"Recommended rest and exercise.");
}

TEST_F(PanelContentTest, KeyWithoutValueGivesEmptyTextNotTheDefault) {
  SetIni(u"Skins", u"Selected", u"1");
  SetIni(u"TitleEN", u"Title", u"");
  SetIni(u"TitleEN", u"Advice1", u"");

  const PanelContent content = Load();

  EXPECT_EQ(content.texts.title, u"");
  EXPECT_EQ(content.texts.advice_dec[0], u"");
}

TEST_F(PanelContentTest, UnusableSelectedFallsBackToSkinOneAndKeepsTheTexts) {
  SetIni(u"Skins", u"Bitmap1", u"skin1.png");
  SetIni(u"Skins", u"Bitmap7", u"skin7.png");
  SetIni(u"Skins", u"Language", u"TitleDE");
  SetIni(u"TitleDE", u"Title", u"WARNUNG");
  for (const TextView selected : {u"", u"abc", u"2x", u"40000", u"-32769", u"1.5"}) {
    SetIni(u"Skins", u"Selected", selected);
    const PanelContent content = Load();
    EXPECT_EQ(content.selected_skin, 1) << ToUtf8(selected);
    EXPECT_EQ(content.skin_path, u"C:\\Clock\\skin1.png") << ToUtf8(selected);
    EXPECT_EQ(content.texts.title, u"WARNUNG") << ToUtf8(selected);
  }
  SetIni(u"Skins", u"Selected", u" 7 ");
  EXPECT_EQ(Load().skin_path, u"C:\\Clock\\skin7.png");
}

TEST_F(PanelContentTest, MissingConfigFileStillGivesAFullPanel) {
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", 45);
  profile_.Set(u"D:\\elsewhere\\Config.ini", u"Skins", u"Selected", u"3");

  const PanelContent content = Load();

  EXPECT_EQ(content.interval, (AlarmInterval{0, 45}));
  EXPECT_EQ(content.selected_skin, 1);
  EXPECT_EQ(content.skin_path, kAppDir);  // no Bitmap1: the renderer finds no skin
  EXPECT_EQ(content.texts.risk_dec[1], u"Carpal tunnel syndrome, Nearsightedness");
}

TEST(AlarmMinuteOf, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(AlarmMinuteOf({0, 0}), 0);
  EXPECT_EQ(AlarmMinuteOf({4, 60}), 300);
  EXPECT_EQ(AlarmMinuteOf({std::numeric_limits<int32_t>::max(), 5}), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(AlarmMinuteOf({std::numeric_limits<int32_t>::min(), 0}), std::numeric_limits<int32_t>::min());
}

TEST(PanelContentReads, AReloadReadsEachSettingsFileOnce) {
  LinuxStores stores;
  stores.WriteTypicalFiles();
  const PanelContent content = LoadPanelContent(stores.reg, stores.ini);
  EXPECT_EQ(content.interval, (AlarmInterval{1, 30}));
  EXPECT_EQ(content.skin_path, stores.ini.AppDir() + u"s3.png");
  EXPECT_EQ(content.texts.title, u"Break");
  EXPECT_EQ(stores.counting.reads, LinuxStores::OnceEach());

  EXPECT_EQ(ReadAlarmInterval(stores.reg), (AlarmInterval{1, 30}));
  EXPECT_EQ(stores.counting.reads["settings.reg"], 2);
}

}  // namespace
}  // namespace quorbel
