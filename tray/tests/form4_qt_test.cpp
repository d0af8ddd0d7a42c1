#include "tray/form4_qt.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QKeySequence>
#include <QMenu>
#include <QTest>
#include <QUrl>

#include <string>
#include <vector>

#include "tests/support/memory_profile_store.h"

namespace quorbel {
namespace {

constexpr char16_t kAppDir[] = u"/opt/quorbel-tray-test/";
constexpr char16_t kConfigPath[] = u"/opt/quorbel-tray-test/Config.ini";

class RecordingPanel : public PanelControl {
 public:
  explicit RecordingPanel(std::vector<std::string>& calls) : calls_(calls) {}
  void ShowPanelManaul() override { calls_.push_back("ShowPanelManaul"); }
  void Time3active() override { calls_.push_back("Time3active"); }
  void Update(bool) override { calls_.push_back("Update"); }

 private:
  std::vector<std::string>& calls_;
};

// Takes the addresses the program asks the desktop to open.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

class QtForm4Test : public ::testing::Test {
 protected:
  void SetUp() override { QDesktopServices::setUrlHandler("https", &urls_, "Open"); }
  void TearDown() override { QDesktopServices::unsetUrlHandler("https"); }

  std::function<void()> Record(std::string name) {
    return [this, name] { calls_.push_back(name); };
  }
  TrayMenuActions RecordedActions() {
    return {Record("show_settings"), Record("close_settings"), Record("unload_form1")};
  }
  std::function<void(const Text&)> RecordedSound() {
    return [this](const Text& path) { calls_.push_back("play " + ToUtf8(path)); };
  }
  // The menu's queued commands run once the event loop comes round.
  static void RunEventLoopOnce() { QCoreApplication::sendPostedEvents(); }

  testing::MemoryProfileStore store_;
  ModIni ini_{store_, kAppDir};
  std::vector<std::string> calls_;
  RecordingPanel panel_{calls_};
  UrlRecorder urls_;
};

TEST_F(QtForm4Test, MenuHoldsTheThreeItemsAndTheSeparatorInOrder) {
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  const QList<QAction*> items = form.MainMenu()->actions();
  ASSERT_EQ(items.size(), 4);
  EXPECT_EQ(items[0]->text(), QStringLiteral("Setting"));
  EXPECT_EQ(items[1]->text(), QStringLiteral("Upgrade & Download Skin"));
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[3]->text(), QStringLiteral("Exit"));
  EXPECT_FALSE(form.MainMenu()->isVisible());
}

TEST_F(QtForm4Test, TextsComeFromTheLanguageSectionOnceWithTheirAccessKeys) {
  store_.Set(kConfigPath, u"Skins", u"Language", u"TitleFR");
  store_.Set(kConfigPath, u"TitleFR", u"MenuSetting", u"R\u00e9&glages");
  store_.Set(kConfigPath, u"TitleFR", u"MenuExit", u"&Quitter");
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  store_.Set(kConfigPath, u"TitleFR", u"MenuExit", u"changed later");
  const QList<QAction*> items = form.MainMenu()->actions();
  EXPECT_EQ(form.Texts().language, u"TitleFR");
  EXPECT_EQ(items[0]->text(), QStringLiteral(u"R\u00e9&glages"));
  EXPECT_EQ(items[3]->text(), QStringLiteral("&Quitter"));
  EXPECT_EQ(QKeySequence::mnemonic(items[0]->text()), QKeySequence(Qt::ALT | Qt::Key_G));
  EXPECT_EQ(QKeySequence::mnemonic(items[3]->text()), QKeySequence(Qt::ALT | Qt::Key_Q));
}

TEST_F(QtForm4Test, TheAccessKeyOfAnOpenMenuChoosesItsItem) {
  store_.Set(kConfigPath, u"TitleEN", u"MenuSetting", u"Se&ttings...");
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  form.MainMenu()->popup(QPoint(20, 20));
  QTest::keyClick(form.MainMenu(), Qt::Key_T);
  EXPECT_FALSE(form.MainMenu()->isVisible());
  EXPECT_TRUE(calls_.empty()) << "the command waits until the menu has closed";
  RunEventLoopOnce();
  EXPECT_EQ(calls_, (std::vector<std::string>{"ShowPanelManaul", "show_settings"}));
}

TEST_F(QtForm4Test, SettingShowsThePanelBeforeTheDialogEachTime) {
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  form.MainMenu()->actions()[0]->trigger();
  form.MainMenu()->actions()[0]->trigger();
  RunEventLoopOnce();
  EXPECT_EQ(calls_, (std::vector<std::string>{"ShowPanelManaul", "show_settings",
                                              "ShowPanelManaul", "show_settings"}));
}

TEST_F(QtForm4Test, AboutOpensTheProductPageInTheBrowser) {
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  form.MainMenu()->actions()[1]->trigger();
  RunEventLoopOnce();
  ASSERT_EQ(urls_.opened.size(), 1u);
  EXPECT_EQ(urls_.opened[0], QUrl(QString::fromLatin1(kProductWebAddress)));
  EXPECT_TRUE(calls_.empty());
}

TEST_F(QtForm4Test, ExitClosesTheDialogUnloadsTheMenuThenThePanelWindow) {
  bool loaded_when_form1_unloads = true;
  QtForm4 form(ini_, panel_,
               {Record("show_settings"), Record("close_settings"),
                [&] {
                  calls_.push_back("unload_form1");
                  loaded_when_form1_unloads = form.IsLoaded();
                }},
               RecordedSound());
  form.MainMenu()->actions()[3]->trigger();
  RunEventLoopOnce();
  EXPECT_EQ(calls_, (std::vector<std::string>{"close_settings", "unload_form1"}));
  EXPECT_FALSE(loaded_when_form1_unloads);
  EXPECT_EQ(form.MainMenu(), nullptr);
}

TEST_F(QtForm4Test, PlaySoundHandsOverStartWavBesideTheProgram) {
  const QtForm4 form(ini_, panel_, RecordedActions(), RecordedSound());
  form.PlaySound();
  EXPECT_EQ(calls_, std::vector<std::string>{"play /opt/quorbel-tray-test/start.wav"});
  const QtForm4 silent(ini_, panel_, RecordedActions(), {});
  silent.PlaySound();
}

}  // namespace
}  // namespace quorbel

#include "form4_qt_test.moc"
