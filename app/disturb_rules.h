#pragma once
// What the desktops' raw do-not-disturb facts mean for a due reminder.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace quorbel {

// The values of the Windows shell's QUERY_USER_NOTIFICATION_STATE.
enum class UserNotificationState : int32_t {
  NotPresent = 1,
  Busy = 2,
  RunningD3dFullScreen = 3,
  PresentationMode = 4,
  AcceptsNotifications = 5,
  QuietTime = 6,
  App = 7,
};

// Whether the shell's state holds a reminder; an unknown value does not.
bool NotificationStateHolds(int32_t state);

// The output of `gsettings get org.gnome.desktop.notifications show-banners`:
// banners off hold; anything but a plain boolean is no answer.
std::optional<bool> ShowBannersOutputHolds(std::string_view output);

// Gathers one answer from each of a fixed number of sources and passes the
// verdict on once all have answered: any source that says busy holds; a
// source that failed or is absent answers nothing and holds nothing.
class DisturbVotes {
 public:
  DisturbVotes(size_t sources, std::function<void(bool hold)> verdict);
  // Further answers once the verdict is out are ignored.
  void Add(std::optional<bool> busy);

 private:
  size_t missing_;
  bool hold_ = false;
  std::function<void(bool hold)> verdict_;
};

}  // namespace quorbel
