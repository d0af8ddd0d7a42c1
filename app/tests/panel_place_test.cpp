#include "app/panel_place.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(PanelPlaceTest, ThePanelStandsCentredAtTheTopOfThePrimaryScreenWhereverItLies) {
  // Right of another screen and 300 pixels above the desktop's origin.
  const PanelPlace place(PixelRect{1280, -300, 1920, 1080});
  EXPECT_EQ(place.Left(), 1280 + (1920 - 450) / 2);
  EXPECT_EQ(place.DesktopY(0), -300) << "shown";
  EXPECT_EQ(place.DesktopY(-140), -440) << "hidden";
  EXPECT_EQ(place.CycleTop(-370), -70) << "the cycle's own count, back from the desktop";

  const PanelPlace below(PixelRect{0, 1080, 1281, 1024});
  EXPECT_EQ(below.Left(), 415) << "the odd pixel dropped";
  EXPECT_EQ(below.DesktopY(-140), 940);
}

TEST(PanelPlaceTest, TheRisenPanelIsSeenOnlyWhereAnotherScreenLiesAboveThePrimaryOne) {
  const PixelRect primary{0, 1080, 1280, 800};
  const PixelRect above{0, 0, 1920, 1080};
  const PixelRect beside{1280, 1080, 1280, 800};
  const PanelPlace place(primary);
  EXPECT_TRUE(place.SeenWhenOutOfSight(-140, {primary, above}));
  EXPECT_FALSE(place.SeenWhenOutOfSight(-140, {primary, beside}));
  EXPECT_FALSE(place.SeenWhenOutOfSight(-130, {primary, above})) << "on its way: in sight to the cycle";
  EXPECT_FALSE(place.SeenWhenOutOfSight(-140, {primary, PixelRect{0, 0, 1280, 940}})) << "ends where the panel begins";
}

TEST(PanelPlaceTest, WithoutAScreenThePanelStandsAtTheOrigin) {
  const PanelPlace place(std::nullopt);
  EXPECT_EQ(place.Left(), 0);
  EXPECT_EQ(place.DesktopY(-140), -140);
}

TEST(PanelPlaceTest, DeviceRectIsThePanelCentredInTheScreensPixels) {
  EXPECT_EQ(PanelDeviceRect(1280, 0, DisplayScale(1.0)), (PixelRect{415, 0, 450, 140}));
  EXPECT_EQ(PanelDeviceRect(1920, -140, DisplayScale(1.5)), (PixelRect{622, -210, 675, 210}));
  EXPECT_EQ(PanelDeviceRect(2560, -70, DisplayScale(2.0)), (PixelRect{830, -140, 900, 280}));
  EXPECT_EQ(PanelDeviceRect(1600, -10, DisplayScale(1.25)), (PixelRect{518, -13, 563, 175}))
      << "the odd pixel dropped";
}

TEST(PanelPlaceTest, OnlyANativeWaylandPlatformKeepsTheWindowFromPlacingItself) {
  EXPECT_FALSE(PlatformPlacesWindows("wayland"));
  EXPECT_FALSE(PlatformPlacesWindows("wayland-egl"));
  EXPECT_TRUE(PlatformPlacesWindows("xcb"));
  EXPECT_TRUE(PlatformPlacesWindows("offscreen"));
}

}  // namespace
}  // namespace quorbel
