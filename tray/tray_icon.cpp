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

std::optional<TrayEvent> EventForActivation(TrayActivation activation) {
  switch (activation) {
    case TrayActivation::Trigger:
      return TrayEvent::Click;
    case TrayActivation::DoubleClick:
      return TrayEvent::DblClick;
    case TrayActivation::Context:
      return TrayEvent::RightClick;
    default:
      return std::nullopt;
  }
}

Text ShownTip(TextView screen_tip) { return Text(screen_tip.substr(0, kTipFieldChars)); }

void TrayIcon::MouseReported(double reported_position, double pixel_size) const {
  const auto number = DecodeNotification(reported_position, pixel_size);
  if (!number) return;
  if (const auto event = EventForMessage(*number)) Raise(*event);
}

void TrayIcon::Activated(TrayActivation activation) const {
  if (const auto event = EventForActivation(activation)) Raise(*event);
}

void TrayIcon::Raise(TrayEvent event) const {
  const std::function<void()>& handler = event == TrayEvent::Click      ? events_.click
                                         : event == TrayEvent::DblClick ? events_.dbl_click
                                                                        : events_.right_click;
  if (handler) handler();
}

Text TipField(TextView screen_tip) {
  Text field(screen_tip.substr(0, kTipFieldChars));
  if (field.size() < kTipFieldChars) field.push_back(u'\0');
  field.resize(kTipFieldChars, u' ');
  return field;
}

}  // namespace quorbel
