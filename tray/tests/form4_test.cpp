#include "tray/form4.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/tests/counting_files.h"
#include "tests/support/memory_profile_store.h"

namespace quorbel {
namespace {

constexpr char16_t kAppDir[] = u"C:\\Clock\\";
constexpr char16_t kConfigPath[] = u"C:\\Clock\\Config.ini";

class TrayMenuTextsTest : public ::testing::Test {
 protected:
  testing::MemoryProfileStore store_;
  ModIni ini_{store_, kAppDir};
};

TEST_F(TrayMenuTextsTest, WithoutConfigTheEnglishDefaultsAreUsed) {
  const TrayMenuTexts texts = ReadTrayMenuTexts(ini_);
  EXPECT_EQ(texts.language, u"TitleEN");
  EXPECT_EQ(texts.setting, u"Setting");
  EXPECT_EQ(texts.about, u"Upgrade & Download Skin");
  EXPECT_EQ(texts.exit, u"Exit");
}

TEST(TrayMenuTextsReads, EachConfigIniIsReadOnce) {
  LinuxStores stores;
  stores.WriteTypicalFiles();
  EXPECT_EQ(ReadTrayMenuTexts(stores.ini).exit, u"Quit");
  EXPECT_EQ(stores.counting.reads, (std::map<std::string, int>{{"Config.ini", 1}, {"user.ini", 1}}));
}

TEST_F(TrayMenuTextsTest, WithoutLanguageTheTextsComeFromTitleEN) {
  store_.Set(kConfigPath, u"TitleEN", u"MenuSetting", u"&Options");
  store_.Set(kConfigPath, u"TitleEN", u"MenuExit", u"&Quit");
  const TrayMenuTexts texts = ReadTrayMenuTexts(ini_);
  EXPECT_EQ(texts.setting, u"&Options");
  EXPECT_EQ(texts.exit, u"&Quit");
}

TEST_F(TrayMenuTextsTest, ASectionLackingOnlyMenuAboutKeepsItsOtherTexts) {
  store_.Set(kConfigPath, u"Skins", u"Language", u"TitleDE");
  store_.Set(kConfigPath, u"TitleDE", u"MenuSetting", u"Einstellungen");
  store_.Set(kConfigPath, u"TitleDE", u"MenuExit", u"Beenden");
  store_.Set(kConfigPath, u"TitleEN", u"MenuAbout", u"not this section");
  const TrayMenuTexts texts = ReadTrayMenuTexts(ini_);
  EXPECT_EQ(texts.language, u"TitleDE");
  EXPECT_EQ(texts.setting, u"Einstellungen");
  EXPECT_EQ(texts.about, u"Upgrade & Download Skin");
  EXPECT_EQ(texts.exit, u"Beenden");
}

// Records every call in order.
class RecordingPanel : public PanelControl {
 public:
  explicit RecordingPanel(std::vector<std::string>& calls) : calls_(calls) {}
  void ShowPanelManaul() override { calls_.push_back("ShowPanelManaul"); }
  void Time3active() override { calls_.push_back("Time3active"); }
  void Update(bool) override { calls_.push_back("Update"); }

 private:
  std::vector<std::string>& calls_;
};

class TrayMenuCommandsTest : public ::testing::Test {
 protected:
  std::function<void()> Record(std::string name) {
    return [this, name] { calls_.push_back(name); };
  }
  TrayMenuCommands AllRecorded() {
    return TrayMenuCommands(panel_,
                            {Record("show_settings"), Record("close_settings"),
                             Record("unload_form1")},
                            {Record("open_web_page"), Record("unload_menu_host")});
  }

  std::vector<std::string> calls_;
  RecordingPanel panel_{calls_};
};

TEST_F(TrayMenuCommandsTest, SettingShowsThePanelBeforeTheDialogEachTime) {
  const TrayMenuCommands commands = AllRecorded();
  commands.Run(TrayMenuCommand::Setting);
  commands.Run(TrayMenuCommand::Setting);
  EXPECT_EQ(calls_, (std::vector<std::string>{"ShowPanelManaul", "show_settings",
                                              "ShowPanelManaul", "show_settings"}));
}

TEST_F(TrayMenuCommandsTest, AboutOnlyOpensTheWebPage) {
  AllRecorded().Run(TrayMenuCommand::About);
  EXPECT_EQ(calls_, std::vector<std::string>{"open_web_page"});
}

TEST_F(TrayMenuCommandsTest, ExitClosesTheDialogThenTheMenuHostThenThePanelWindow) {
  AllRecorded().Run(TrayMenuCommand::Exit);
  EXPECT_EQ(calls_,
            (std::vector<std::string>{"close_settings", "unload_menu_host", "unload_form1"}));
}

TEST_F(TrayMenuCommandsTest, MissingCallbacksAreSkipped) {
  const TrayMenuCommands commands(panel_, {}, {});
  commands.Run(TrayMenuCommand::Setting);
  commands.Run(TrayMenuCommand::About);
  commands.Run(TrayMenuCommand::Exit);
  EXPECT_EQ(calls_, std::vector<std::string>{"ShowPanelManaul"});
}

TEST_F(TrayMenuCommandsTest, OnlyTheMenusItemIdentifiersRunACommand) {
  testing::MemoryProfileStore store;
  const ModIni ini(store, kAppDir);
  const Form4 form(ini, panel_, {Record("show_settings"), Record("close_settings"), Record("unload_form1")},
                   {Record("open_web_page"), Record("unload_menu_host")});
  for (const int foreign : {0, 4, -1, 65535}) EXPECT_FALSE(form.RunItem(foreign)) << foreign;
  EXPECT_TRUE(calls_.empty());
  EXPECT_TRUE(form.RunItem(2));
  EXPECT_TRUE(form.RunItem(3));
  EXPECT_EQ(calls_, (std::vector<std::string>{"open_web_page", "close_settings", "unload_menu_host",
                                              "unload_form1"}));
  EXPECT_EQ(form.StartSound(), u"C:\\Clock\\start.wav");
  EXPECT_EQ(form.Texts().exit, u"Exit");
}

}  // namespace
}  // namespace quorbel
