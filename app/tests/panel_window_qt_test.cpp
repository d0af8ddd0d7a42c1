#include "app/panel_window_qt.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>

#include <QWindow>

#include <memory>
#include <vector>

namespace quorbel {
namespace {

// Two screens on the offscreen platform: the primary one below a larger
// one, so the desktop's origin is not the primary screen's top (the
// platform takes the first by name as the primary one). The upper screen is
// twice as dense.
constexpr char kScreens[] = R"({"windowFrameMargins": false, "screens": [
  {"name": "main", "x": 0, "y": 1080, "width": 1280, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "upper", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}]})";

class TwoScreenApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    const QString config = directory_.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kScreens);
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    application_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  QTemporaryDir directory_;
  int argc_ = 1;
  char name_[16] = "quorbel-qt-test";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

const auto* const registered =
    ::testing::AddGlobalTestEnvironment(std::make_unique<TwoScreenApplication>().release());

TEST(QtPanelWindowTest, TheCyclesTopCountsFromThePrimaryScreensTopWhereverItLies) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 1080, 1280, 800));
  QtPanelWindow panel;
  panel.ShowAtTop();
  EXPECT_EQ(panel.geometry(), QRect(415, 1080, 450, 140));
  EXPECT_EQ(panel.Top(), 0);
  panel.SetTop(-70);
  EXPECT_EQ(panel.pos(), QPoint(415, 1010));
  EXPECT_EQ(panel.Top(), -70);
  EXPECT_TRUE(panel.isVisible());
}

TEST(QtPanelWindowTest, TheRisenPanelLeavesTheScreenAboveAndComesBackToSlideDown) {
  QtPanelWindow panel;
  panel.SetTop(-140);
  EXPECT_FALSE(panel.isVisible()) << "never shown before Show";
  panel.ShowAtTop();
  panel.SetTop(-140);
  EXPECT_FALSE(panel.isVisible()) << "it would stand at the foot of the screen above";
  EXPECT_EQ(panel.Top(), -140);
  panel.SetTop(-130);
  EXPECT_TRUE(panel.isVisible());
}

// The events it sends reach only a platform that listens: the AT-SPI end-
// to-end test watches them.
TEST(QtPanelWindowTest, AnArrivalNamesTheAlertMessageWithItsText) {
  QtPanelWindow panel;
  panel.ShowAtTop();
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&panel);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::AlertMessage);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Quorbel Alarm Clock"));

  panel.AnnounceArrival(u"Zeit f\u00fcr eine Pause. Ohne Pause am Computer: 01:00.");
  EXPECT_EQ(accessible->text(QAccessible::Name),
            QString::fromStdU16String(u"Zeit f\u00fcr eine Pause. Ohne Pause am Computer: 01:00."));
}

TEST(QtPanelWindowTest, MovedToADenserScreenItReportsTheNewRatioOnce) {
  QtPanelWindow panel;
  std::vector<double> ratios;
  panel.OnRatioChange([&ratios](double ratio) { ratios.push_back(ratio); });
  panel.ShowAtTop();
  QCoreApplication::processEvents();
  EXPECT_EQ(panel.DevicePixelRatio(), 1.0);
  panel.windowHandle()->setScreen(QGuiApplication::screens().at(1));
  QCoreApplication::processEvents();
  EXPECT_EQ(panel.DevicePixelRatio(), 2.0);
  EXPECT_EQ(ratios, std::vector<double>{2.0});
  panel.windowHandle()->setScreen(QGuiApplication::screens().at(1));
  EXPECT_EQ(ratios, std::vector<double>{2.0}) << "the same screen again is no change";
}

TEST(QtPanelWindowTest, ARepaintOfAChangeDrawsTheNewFramesPixelsInPlaceAndNoMore) {
  QtPanelWindow panel;
  QImage frame(kPanelWidth, kPanelHeight, QImage::Format_ARGB32_Premultiplied);
  frame.fill(0xFF203040);
  for (int y = 0; y < kPanelHeight; ++y) frame.setPixel(395, y, 0xFF000000u + static_cast<uint32_t>(y));
  const PixelRect change{390, 74, 40, 26};
  panel.ShowFrame(frame, change);

  QImage screen(kPanelWidth, kPanelHeight, QImage::Format_ARGB32_Premultiplied);
  screen.fill(0xFFFFFFFF);
  // The region is drawn with its top-left corner at the offset given.
  panel.render(&screen, QPoint(change.x, change.y), QRegion(change.x, change.y, change.width, change.height));
  EXPECT_EQ(screen.pixel(395, 74), frame.pixel(395, 74));
  EXPECT_EQ(screen.pixel(395, 99), frame.pixel(395, 99));
  EXPECT_EQ(screen.pixel(429, 80), 0xFF203040u);
  EXPECT_EQ(screen.pixel(395, 100), 0xFFFFFFFFu) << "outside the change";
  EXPECT_EQ(screen.pixel(389, 80), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace quorbel
