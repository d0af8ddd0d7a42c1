#include "tray/tray_icon.h"

#include <cmath>
#include <limits>

namespace quorbel {

std::optional<TrayEvent> EventForMessage(int32_t message) {
  switch (message) {
    case 513:
      return TrayEvent::Click;
    case 515:
      return TrayEvent::DblClick;
    case 517:
      return TrayEvent::RightClick;
    default:
      return std::nullopt;
  }
}

std::optional<int32_t> DecodeNotification(double reported_position, double pixel_size) {
  const double quotient = reported_position / pixel_size;
  if (!std::isfinite(quotient)) return std::nullopt;
  // The default rounding mode sends halves to the even neighbour.
  const double rounded = std::nearbyint(quotient);
  if (rounded < std::numeric_limits<int32_t>::min() ||
      rounded > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(rounded);
}

Text TipField(TextView screen_tip) {
  Text field(screen_tip.substr(0, kTipFieldChars));
  if (field.size() < kTipFieldChars) field.push_back(u'\0');
  field.resize(kTipFieldChars, u' ');
  return field;
}

}  // namespace quorbel
