#pragma once
// What the notification-area icon control decides without a window: which
// report about the icon becomes which event, whether a restarted shell must
// get the icon again, and how the tooltip is laid out in the shell's
// fixed-width field. The platform icons only turn native reports into the
// calls of TrayIcon.
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

// How a desktop tray reports an action over the icon, named and numbered as
// Qt's activation reasons are.
enum class TrayActivation { Unknown = 0, Context = 1, DoubleClick = 2, Trigger = 3, MiddleClick = 4 };

// A left press is a Click (as the button-down message is on Windows), a second
// one a DblClick, the context request (right button) a RightClick.
std::optional<TrayEvent> EventForActivation(TrayActivation activation);

// The tooltip a tray without the fixed field shows: the first 64 characters.
Text ShownTip(TextView screen_tip);

// The control apart from its window: its events, tooltip and whether the icon
// is shown.
class TrayIcon {
 public:
  explicit TrayIcon(TrayIconEvents events) : events_(std::move(events)) {}

  // A mouse-move report whose position carries the mouse message's number.
  void MouseReported(double reported_position, double pixel_size) const;
  void Activated(TrayActivation activation) const;

  const Text& ScreenTip() const { return screen_tip_; }
  void SetScreenTip(Text tip) { screen_tip_ = std::move(tip); }

  void Added() { shown_ = true; }
  void Removed() { shown_ = false; }
  bool Shown() const { return shown_; }
  // A restarted shell forgets every icon; without it the user could neither
  // reach the settings nor exit. A removed icon stays away.
  bool MustAddAfterShellRestart() const { return shown_; }

 private:
  void Raise(TrayEvent event) const;

  TrayIconEvents events_;
  Text screen_tip_ = kNewControlScreenTip;
  bool shown_ = false;
};

}  // namespace quorbel
