#include "tray/tray_icon_qt.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <string>
#include <vector>

namespace quorbel {
namespace {

QIcon TestIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::red);
  return QIcon(pixmap);
}

class QtTrayIconTest : public ::testing::Test {
 protected:
  QtTrayIcon MakeIcon() {
    return QtTrayIcon({[this] { events_.push_back("Click"); },
                       [this] { events_.push_back("DblClick"); },
                       [this] { events_.push_back("RightClick"); }});
  }
  static void Activate(const QtTrayIcon& icon, QSystemTrayIcon::ActivationReason reason) {
    emit icon.Icon().activated(reason);
  }

  std::vector<std::string> events_;
};

TEST_F(QtTrayIconTest, ActivationsBecomeTheThreeEvents) {
  const QtTrayIcon icon = MakeIcon();
  Activate(icon, QSystemTrayIcon::Trigger);
  Activate(icon, QSystemTrayIcon::DoubleClick);
  Activate(icon, QSystemTrayIcon::Context);
  Activate(icon, QSystemTrayIcon::MiddleClick);
  Activate(icon, QSystemTrayIcon::Unknown);
  EXPECT_EQ(events_, (std::vector<std::string>{"Click", "DblClick", "RightClick"}));

  const QtTrayIcon without_handlers(TrayIconEvents{});
  Activate(without_handlers, QSystemTrayIcon::Context);  // skipped, no throw
}

TEST_F(QtTrayIconTest, AddShowsTheIconWithTheTipAndRemoveHidesIt) {
  QtTrayIcon icon = MakeIcon();
  EXPECT_EQ(icon.ScreenTip(), u" ");
  icon.SetScreenTip(kTrayIcon1ScreenTip);
  icon.Add(TestIcon());
  EXPECT_TRUE(icon.Icon().isVisible());
  EXPECT_FALSE(icon.Icon().icon().isNull());
  EXPECT_EQ(icon.Icon().toolTip(), QStringLiteral("Quorbel Alarm Clock"));
  icon.Remove();
  EXPECT_FALSE(icon.Icon().isVisible());
}

TEST_F(QtTrayIconTest, ANewTipReachesTheIconOnlyWithTheNextAdd) {
  QtTrayIcon icon = MakeIcon();
  icon.SetScreenTip(u"first");
  icon.Add(TestIcon());
  icon.SetScreenTip(u"second");
  EXPECT_EQ(icon.ScreenTip(), u"second");
  EXPECT_EQ(icon.Icon().toolTip(), QStringLiteral("first"));
  icon.Add(TestIcon());
  EXPECT_EQ(icon.Icon().toolTip(), QStringLiteral("second"));
}

TEST_F(QtTrayIconTest, TipsLongerThanTheTrayFieldAreCutToSixtyFour) {
  QtTrayIcon icon = MakeIcon();
  icon.SetScreenTip(Text(63, u'a'));
  icon.Add(TestIcon());
  EXPECT_EQ(icon.Icon().toolTip(), QString(63, u'a'));
  icon.SetScreenTip(Text(65, u'b'));
  icon.Add(TestIcon());
  EXPECT_EQ(icon.Icon().toolTip(), QString(64, u'b'));
}

}  // namespace
}  // namespace quorbel
