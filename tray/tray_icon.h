#pragma once
// What the notification-area icon control decides without a window: which
// mouse message over the icon becomes which event, and how the tooltip is
// laid out in the shell's fixed-width field.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/text.h"

namespace quorbel {

// Numbered in the order the control declares them.
enum class TrayEvent { Click = 1, DblClick = 2, RightClick = 3 };

// The control's three events, raised synchronously while it handles the
// platform's report about the icon; an empty handler is skipped.
struct TrayIconEvents {
  std::function<void()> click;
  std::function<void()> dbl_click;
  std::function<void()> right_click;
};

// 513 (left button down) is a Click, 515 (left double click) a DblClick and
// 517 (right button up) a RightClick; every other mouse message is nothing.
std::optional<TrayEvent> EventForMessage(int32_t message);

// The mouse message number carried in a mouse-move report: the reported
// horizontal position divided by the size of one pixel in the report's unit,
// rounded to the nearest integer with halves going to the even one. Nothing
// when the quotient is not a finite 32-bit value.
std::optional<int32_t> DecodeNotification(double reported_position, double pixel_size);

inline constexpr size_t kTipFieldChars = 64;

// The tip followed by NUL as a field of exactly 64 characters: padded with
// spaces when shorter, cut to the first 64 (then without a terminator) when
// longer.
Text TipField(TextView screen_tip);

// A freshly placed control shows one space; the program's own icon carries
// the product name.
inline constexpr char16_t kNewControlScreenTip[] = u" ";
inline constexpr char16_t kTrayIcon1ScreenTip[] = u"Quorbel Alarm Clock";

}  // namespace quorbel
