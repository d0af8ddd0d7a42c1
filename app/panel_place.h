#pragma once
// Where the panel window stands on the desktop. The cycle counts the panel's
// top from the top of the screen (0 shown, minus its height hidden); the
// desktop's coordinates put the primary screen wherever the user arranged it.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/display_scale.h"
#include "common/geometry.h"

namespace quorbel {

class PanelPlace {
 public:
  // `primary_screen` in desktop coordinates; without one, a screen at the
  // origin as wide as the panel.
  explicit PanelPlace(std::optional<PixelRect> primary_screen);

  // Centred on the primary screen.
  int32_t Left() const { return left_; }
  int32_t DesktopY(int32_t cycle_top) const { return screen_top_ + cycle_top; }
  int32_t CycleTop(int32_t desktop_y) const { return desktop_y - screen_top_; }

  // True when the panel, out of sight to the cycle (its top at or above
  // minus its height), would still stand on one of `screens`: a screen
  // above the primary one would show it.
  bool SeenWhenOutOfSight(int32_t cycle_top, const std::vector<PixelRect>& screens) const;

 private:
  int32_t left_ = 0;
  int32_t screen_top_ = 0;
};

// The panel window in device pixels on a screen `screen_width` device
// pixels wide at `scale`, its top `cycle_top` logical pixels from the
// screen's: centred, the remainder of the halving dropped.
PixelRect PanelDeviceRect(int32_t screen_width, int32_t cycle_top, const DisplayScale& scale);

// False for a Qt platform on which a window cannot choose its own place: a
// native Wayland one ("wayland", "wayland-egl", ...).
bool PlatformPlacesWindows(std::string_view qt_platform_name);

// What the program says on standard error at start on such a platform.
inline constexpr char kUnplacedPanelNotice[] =
    "quorbel-clock: on the native Wayland platform (QT_QPA_PLATFORM) the panel cannot place itself: "
    "the compositor decides where it shows, and it does not slide down from the top of the screen. "
    "Start the program without QT_QPA_PLATFORM=wayland to have it on XWayland, where it does.";

}  // namespace quorbel
