#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace quorbel {
namespace {

std::vector<TrayEvent> EventsFor(const std::vector<int32_t>& messages) {
  std::vector<TrayEvent> events;
  for (const int32_t message : messages) {
    if (const auto event = EventForMessage(message)) events.push_back(*event);
  }
  return events;
}

TEST(TrayEvents, LeftDoubleClickGivesClickThenDblClickOnly) {
  EXPECT_EQ(EventsFor({513, 514, 515, 514}),
            (std::vector<TrayEvent>{TrayEvent::Click, TrayEvent::DblClick}));
}

TEST(TrayEvents, RightClickFiresOnceOnRelease) {
  EXPECT_EQ(EventsFor({516, 517}), std::vector<TrayEvent>{TrayEvent::RightClick});
}

TEST(TrayEvents, MovesAndOtherButtonsGiveNothing) {
  EXPECT_TRUE(EventsFor({512, 514, 516, 518, 519, 520, 521, 0, -513, 513 + 65536}).empty());
}

TEST(TrayNotificationDecoding, RoundsToNearestWithHalvesToEven) {
  const double twips_per_pixel = 15.0;
  for (const double quotient : {513.0, 512.6, 513.4}) {
    EXPECT_EQ(DecodeNotification(quotient * twips_per_pixel, twips_per_pixel), 513) << quotient;
  }
  EXPECT_EQ(DecodeNotification(512.5 * twips_per_pixel, twips_per_pixel), 512);
  EXPECT_EQ(DecodeNotification(513.5 * twips_per_pixel, twips_per_pixel), 514);
}

TEST(TrayNotificationDecoding, UnrepresentableReportsGiveNothing) {
  EXPECT_EQ(DecodeNotification(513.0, 0.0), std::nullopt);
  EXPECT_EQ(DecodeNotification(0.0, 0.0), std::nullopt);
  EXPECT_EQ(DecodeNotification(std::numeric_limits<double>::quiet_NaN(), 15.0), std::nullopt);
  EXPECT_EQ(DecodeNotification(1e12, 1.0), std::nullopt);
  EXPECT_EQ(DecodeNotification(-1e12, 1.0), std::nullopt);
}

TEST(TrayTipField, ShortTipIsTerminatedAndPaddedWithSpaces) {
  const Text field = TipField(kTrayIcon1ScreenTip);
  ASSERT_EQ(field.size(), kTipFieldChars);
  EXPECT_EQ(field.substr(0, 19), u"Quorbel Alarm Clock");
  EXPECT_EQ(field[19], u'\0');
  EXPECT_EQ(field.substr(20), Text(44, u' '));
}

TEST(TrayTipField, SixtyThreeCharactersStillFitTheTerminator) {
  const Text tip(63, u'x');
  const Text field = TipField(tip);
  ASSERT_EQ(field.size(), kTipFieldChars);
  EXPECT_EQ(field.substr(0, 63), tip);
  EXPECT_EQ(field[63], u'\0');
}

TEST(TrayTipField, SixtyFourOrMoreAreCutWithoutTerminator) {
  Text tip;
  for (int i = 0; i < 65; ++i) tip.push_back(static_cast<char16_t>(u'A' + i % 26));
  EXPECT_EQ(TipField(tip.substr(0, 64)), tip.substr(0, 64));
  EXPECT_EQ(TipField(tip), tip.substr(0, 64));
}

class TrayIconControl : public ::testing::Test {
 protected:
  TrayIcon MakeControl() {
    return TrayIcon({[this] { events_.push_back("Click"); }, [this] { events_.push_back("DblClick"); },
                     [this] { events_.push_back("RightClick"); }});
  }
  std::vector<std::string> events_;
};

TEST_F(TrayIconControl, ActivationsBecomeTheThreeEventsAndOthersNothing) {
  const TrayIcon control = MakeControl();
  for (const TrayActivation activation :
       {TrayActivation::Trigger, TrayActivation::DoubleClick, TrayActivation::Context,
        TrayActivation::MiddleClick, TrayActivation::Unknown}) {
    control.Activated(activation);
  }
  EXPECT_EQ(events_, (std::vector<std::string>{"Click", "DblClick", "RightClick"}));
  const TrayIcon without_handlers{TrayIconEvents{}};
  without_handlers.Activated(TrayActivation::Context);  // skipped, no throw
}

TEST_F(TrayIconControl, MouseReportsAreDecodedInTheReportsUnit) {
  const TrayIcon control = MakeControl();
  for (const double message : {513.0, 514.0, 515.0, 516.0, 517.0, 512.0}) control.MouseReported(message * 15, 15);
  control.MouseReported(517, 0);
  EXPECT_EQ(events_, (std::vector<std::string>{"Click", "DblClick", "RightClick"}));
}

TEST_F(TrayIconControl, OnlyAShownIconIsAddedAgainAfterTheShellRestarts) {
  TrayIcon control = MakeControl();
  EXPECT_EQ(control.ScreenTip(), u" ");
  EXPECT_FALSE(control.MustAddAfterShellRestart());
  control.Added();
  EXPECT_TRUE(control.MustAddAfterShellRestart());
  control.Removed();
  EXPECT_FALSE(control.MustAddAfterShellRestart());
}

TEST(TrayShownTip, IsCutToSixtyFourWithoutPadding) {
  EXPECT_EQ(ShownTip(u"first"), u"first");
  EXPECT_EQ(ShownTip(Text(65, u'b')), Text(64, u'b'));
}

}  // namespace
}  // namespace quorbel
