#include "dialog/form3_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/tests/fakes.h"

namespace quorbel {
namespace {

// Beside the data files, so Browse starts in a folder that exists.
constexpr char16_t kExePath[] = u"" QUORBEL_DATA_DIR "quorbel-clock";

struct ShownBox {
  QString caption;
  QString text;
  QMessageBox::Icon icon;
};

// Answers every message box as soon as the event loop inside it runs,
// recording what it said; `instead_of_ok`, when set, acts on the next box
// in place of its Ok.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOpenBoxes(); });
    timer_.start();
  }
  std::vector<ShownBox> boxes;
  std::function<void()> instead_of_ok;

 private:
  void AnswerOpenBoxes() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(window);
      if (!box || !box->isVisible()) continue;
      boxes.push_back({box->windowTitle(), box->text(), box->icon()});
      if (instead_of_ok) {
        std::exchange(instead_of_ok, nullptr)();
      } else {
        box->button(QMessageBox::Ok)->click();
      }
    }
  }
  QTimer timer_;
};

class QtSettingsDialogTest : public ::testing::Test {
 protected:
  void StoreLong(std::string_view name, int32_t value) {
    mod_reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, name, value);
  }
  int32_t StoredLong(std::string_view name) {
    return mod_reg_.RegReadLong(RegRoot::CurrentUser, kSettingsKey, name);
  }
  void UseSkins(int count) {
    const char* names[] = {"aurora", "midnight", "graphite", "ember", "forest", "amethyst"};
    profile_.Set(u"Skins", u"Count", DecimalText(count));
    for (int k = 1; k <= count; ++k) {
      profile_.Set(u"Skins", ThumbnailKey(k), u"skins\\" + Widen(names[(k - 1) % 6]) + u"_thumb.bmp");
    }
  }
  void Open() {
    dialog_.Show();
    ASSERT_NE(dialog_.Window(), nullptr);
    // Focus events reach the fields of the active window only.
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_.Window()));
  }
  template <typename Control>
  Control& Find(const char* name) {
    auto* control = dialog_.Window()->findChild<Control*>(QString::fromLatin1(name));
    if (!control) ADD_FAILURE() << "no control " << name;
    return *control;
  }
  QLineEdit& Field(const char* name) { return Find<QLineEdit>(name); }
  // The window is freed once the event loop comes round after it closed.
  static void RunEventLoopOnce() { QCoreApplication::sendPostedEvents(); }

  EventLog log_;
  RecordingRegistry registry_{log_};
  ModReg mod_reg_{registry_};
  FakeProfileStore profile_{log_};
  ModIni ini_{profile_, Widen(QUORBEL_DATA_DIR)};
  RecordingPanel panel_{log_};
  MessageBoxAnswerer answerer_;
  QtSettingsDialog dialog_{mod_reg_, ini_, panel_, kExePath};
};

TEST_F(QtSettingsDialogTest, ControlsLieAtTheirPlacesAndTheRowFollowsTheCaption) {
  profile_.Set(u"TitleEN", u"SetTitle", u"Settings");
  profile_.Set(u"TitleEN", u"SetInterval", u"A much longer interval caption:");
  Open();
  QWidget& window = *dialog_.Window();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Settings"));
  EXPECT_EQ(window.minimumSize(), QSize(304, 244));
  EXPECT_EQ(window.maximumSize(), QSize(304, 244));

  const QLabel& caption = Find<QLabel>("Label1_0");
  EXPECT_EQ(caption.pos(), QPoint(16, 24));
  EXPECT_EQ(caption.size(),
            QSize(QFontMetrics(caption.font()).horizontalAdvance(caption.text()), 13));
  EXPECT_TRUE(caption.font().bold());
  const IntervalRow row =
      LayOutIntervalRow(16, caption.width(), 33, Find<QLabel>("Label3").width(), 33);
  EXPECT_EQ(Field("Hours").geometry(), QRect(row.hours_left, 24, 33, 19));
  EXPECT_EQ(Find<QLabel>("Label3").pos(), QPoint(row.colon_left, 24));
  EXPECT_EQ(Field("Minutes").geometry(), QRect(row.minutes_left, 24, 33, 19));
  EXPECT_EQ(Find<QLabel>("Label2").pos(), QPoint(row.minutes_label_left, 24));
  EXPECT_FALSE(Find<QLabel>("Label2").font().bold());
  EXPECT_EQ(Find<QLabel>("Label1_1").pos(), QPoint(16, 56));
  EXPECT_EQ(Find<QLabel>("Label1_1").text(), QStringLiteral("Skins"));

  EXPECT_EQ(Find<QWidget>("Picture1").geometry(), QRect(16, 80, 273, 57));
  EXPECT_EQ(Find<QScrollBar>("HScroll1").geometry(), QRect(16, 135, 273, 17));
  EXPECT_EQ(Find<QCheckBox>("Check1").geometry(), QRect(16, 168, 145, 17));
  QPushButton& ok = Find<QPushButton>("Command1");
  EXPECT_EQ(ok.geometry(), QRect(152, 200, 65, 25));
  EXPECT_EQ(ok.text(), QStringLiteral("Ok"));
  EXPECT_TRUE(ok.isDefault());
  EXPECT_EQ(Find<QPushButton>("Cancel").geometry(), QRect(224, 200, 65, 25));
  EXPECT_FALSE(Find<QPushButton>("Command2").isVisible());
  EXPECT_TRUE(Find<QTimer>("Timer1").isActive());
}

TEST_F(QtSettingsDialogTest, HoursHasTheFocusAndTabFollowsTheDesignedOrder) {
  Open();
  QWidget& window = *dialog_.Window();
  EXPECT_EQ(Field("Hours").selectedText(), QStringLiteral("0")) << "typing replaces it";
  std::vector<std::string> order;
  for (int step = 0; step < 6; ++step) {
    QWidget* focused = window.focusWidget();
    ASSERT_NE(focused, nullptr);
    order.push_back(focused->objectName().toStdString());
    QTest::keyClick(focused, Qt::Key_Tab);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Hours", "Minutes", "Cancel", "Command1", "Check1",
                                             "Hours"}));
}

TEST_F(QtSettingsDialogTest, OnlyDigitsBackspaceAndEditingKeysReachTheFields) {
  Open();
  QLineEdit& minutes = Field("Minutes");
  minutes.setFocus(Qt::TabFocusReason);
  QTest::keyClick(&minutes, Qt::Key_End);
  QTest::keyClick(&minutes, Qt::Key_2);
  EXPECT_EQ(minutes.text(), QStringLiteral("02"));
  QApplication::clipboard()->setText(QStringLiteral("1"));
  QTest::keyClicks(&minutes, QStringLiteral("a -."));
  QTest::keyClick(&minutes, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(minutes.text(), QStringLiteral("02"));
  QTest::keyClick(&minutes, Qt::Key_Home);
  QTest::keyClick(&minutes, Qt::Key_Delete);
  EXPECT_EQ(minutes.text(), QStringLiteral("2"));
  EXPECT_TRUE(answerer_.boxes.empty());

  // Emptied, the field is refused and goes back to its text when entered.
  QTest::keyClick(&minutes, Qt::Key_End);
  QTest::keyClick(&minutes, Qt::Key_Backspace);
  ASSERT_EQ(answerer_.boxes.size(), 1u);
  EXPECT_EQ(answerer_.boxes[0].text, QString::fromStdU16String(kMinutesMessage));
  EXPECT_EQ(minutes.text(), QStringLiteral("0"));
}

TEST_F(QtSettingsDialogTest, AValueAboveTheLimitIsReportedInAnInformationBox) {
  StoreLong("Hours", 2);
  Open();
  QLineEdit& hours = Field("Hours");
  hours.selectAll();
  QTest::keyClick(&hours, Qt::Key_5);
  ASSERT_EQ(answerer_.boxes.size(), 1u);
  EXPECT_EQ(answerer_.boxes[0].caption, QStringLiteral("Quorbel Alarm Clock"));
  EXPECT_EQ(answerer_.boxes[0].text, QString::fromStdU16String(kHoursMessage));
  EXPECT_EQ(answerer_.boxes[0].icon, QMessageBox::Information);
  EXPECT_EQ(hours.text(), QStringLiteral("2"));
  EXPECT_TRUE(dialog_.IsOpen());
}

TEST_F(QtSettingsDialogTest, ClosingWhileALimitMessageIsOpenTakesTheMessageAlongAndFreesTheWindowOnce) {
  Open();
  const QPointer<QWidget> window = dialog_.Window();
  QLineEdit& hours = Field("Hours");
  hours.selectAll();
  log_.clear();
  answerer_.instead_of_ok = [this] {
    dialog_.CloseWithoutStoring();  // the tray menu's Exit
    RunEventLoopOnce();             // what the box's event loop does next
  };
  QTest::keyClick(&hours, Qt::Key_7);
  ASSERT_EQ(answerer_.boxes.size(), 1u) << "the message closed with the dialog, not answered again";
  EXPECT_FALSE(dialog_.IsOpen());
  EXPECT_TRUE(log_.empty()) << "nothing stored, the panel not told";
  ASSERT_TRUE(window) << "kept while its message's event loop was on the stack";
  RunEventLoopOnce();
  EXPECT_FALSE(window);
}

TEST_F(QtSettingsDialogTest, EnterStoresTheIntervalAndTheClickedSkinThenCloses) {
  StoreLong("Hours", 1);
  StoreLong("Minutes", 15);
  UseSkins(6);
  Open();
  QLineEdit& hours = Field("Hours");
  hours.selectAll();
  QTest::keyClick(&hours, Qt::Key_3);
  QTest::mouseClick(&Find<QWidget>("Picture1"), Qt::LeftButton, {}, QPoint(4 + 2 * 52 + 20, 24));
  log_.clear();
  const QPointer<QWidget> window = dialog_.Window();

  QTest::keyClick(&hours, Qt::Key_Return);
  EXPECT_EQ(log_, (EventLog{"reg set Hours", "reg set Minutes", "reg set Background",
                            "ini " + std::string(QUORBEL_DATA_DIR) + "Config.ini [Skins] Selected=3",
                            "Update(true)"}));
  EXPECT_EQ(StoredLong("Hours"), 3);
  EXPECT_EQ(StoredLong("Minutes"), 15);
  EXPECT_FALSE(dialog_.IsOpen());
  EXPECT_TRUE(window && window->isHidden());
  RunEventLoopOnce();
  EXPECT_FALSE(window) << "freed once its own click has returned";
}

TEST_F(QtSettingsDialogTest, EscCancelsAndTheCloseButtonStoresNothing) {
  Open();
  QLineEdit& hours = Field("Hours");
  hours.selectAll();
  QTest::keyClick(&hours, Qt::Key_3);
  log_.clear();
  QTest::keyClick(&hours, Qt::Key_Escape);
  EXPECT_EQ(log_, EventLog{"Time3active"});
  EXPECT_FALSE(dialog_.IsOpen());
  EXPECT_EQ(StoredLong("Hours"), 0);

  Open();
  log_.clear();
  dialog_.Window()->close();
  EXPECT_TRUE(log_.empty());
  EXPECT_FALSE(dialog_.IsOpen());
}

TEST_F(QtSettingsDialogTest, ShowingAgainRaisesTheOneDialogAndReopeningLoadsAfresh) {
  Open();
  QWidget* first = dialog_.Window();
  QLineEdit& hours = Field("Hours");
  hours.selectAll();
  QTest::keyClick(&hours, Qt::Key_3);
  dialog_.Show();
  EXPECT_EQ(dialog_.Window(), first);
  EXPECT_EQ(Field("Hours").text(), QStringLiteral("3"));

  dialog_.CloseWithoutStoring();
  EXPECT_FALSE(dialog_.IsOpen());
  StoreLong("Hours", 2);
  Open();
  EXPECT_EQ(Field("Hours").text(), QStringLiteral("2"));
  RunEventLoopOnce();
  EXPECT_TRUE(dialog_.Window()->isVisible());
}

TEST_F(QtSettingsDialogTest, TheAutorunBoxWritesOrRemovesTheEntryAtOnce) {
  const auto entry = [this] {
    return registry_.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue);
  };
  Open();
  QCheckBox& autorun = Find<QCheckBox>("Check1");
  QTest::mouseClick(&autorun, Qt::LeftButton);
  EXPECT_EQ(entry(), (RegValue{kRegSz, ToUtf8(kExePath)}));
  EXPECT_EQ(StoredLong("Autorun"), 1);
  QTest::mouseClick(&autorun, Qt::LeftButton);
  EXPECT_FALSE(entry());
  EXPECT_EQ(StoredLong("Autorun"), kAutorunSwitchedOff);
  dialog_.CloseWithoutStoring();

  StoreLong("Autorun", 1);
  log_.clear();
  Open();
  EXPECT_TRUE(Find<QCheckBox>("Check1").isChecked());
  EXPECT_TRUE(entry());
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "reg set Clock"), 1) << "written once at load";
}

TEST_F(QtSettingsDialogTest, BrowseTakesTheChosenPictureAsTheBackground) {
  const QString chosen = QStringLiteral(QUORBEL_DATA_DIR "skins/ember_thumb.bmp");
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* files = qobject_cast<QFileDialog*>(window);
      if (!files || !files->isVisible()) continue;
      EXPECT_EQ(files->windowTitle(), QStringLiteral("Load"));
      EXPECT_EQ(files->directory().absolutePath() + u'/', QStringLiteral(QUORBEL_DATA_DIR));
      files->selectFile(chosen);
      static_cast<QDialog*>(files)->accept();
    }
  });
  answer.start(0);
  Open();
  Find<QPushButton>("Command2").click();
  log_.clear();
  Find<QPushButton>("Command1").click();
  EXPECT_EQ(mod_reg_.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"),
            chosen.toStdU16String());
}

}  // namespace
}  // namespace quorbel
