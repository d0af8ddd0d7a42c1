#include "app/panel_place.h"

#include <algorithm>

#include "panel/panel_layout.h"

namespace quorbel {
namespace {

bool Overlap(const PixelRect& a, const PixelRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

PanelPlace::PanelPlace(std::optional<PixelRect> primary_screen) {
  const PixelRect screen = primary_screen.value_or(PixelRect{0, 0, kPanelWidth, kPanelHeight});
  left_ = screen.x + PanelLeft(screen.width);
  screen_top_ = screen.y;
}

bool PanelPlace::SeenWhenOutOfSight(int32_t cycle_top, const std::vector<PixelRect>& screens) const {
  if (cycle_top > -kPanelHeight) return false;
  const PixelRect panel{left_, DesktopY(cycle_top), kPanelWidth, kPanelHeight};
  return std::any_of(screens.begin(), screens.end(), [&panel](const PixelRect& screen) { return Overlap(panel, screen); });
}

PixelRect PanelDeviceRect(int32_t screen_width, int32_t cycle_top, const DisplayScale& scale) {
  const PixelSize size = scale.Size({kPanelWidth, kPanelHeight});
  return {(screen_width - size.width) / 2, scale.Length(cycle_top), size.width, size.height};
}

bool PlatformPlacesWindows(std::string_view qt_platform_name) { return !qt_platform_name.starts_with("wayland"); }

}  // namespace quorbel
