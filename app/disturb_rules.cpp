#include "app/disturb_rules.h"

#include <utility>

namespace quorbel {

bool NotificationStateHolds(int32_t state) {
  switch (static_cast<UserNotificationState>(state)) {
    // The screen is locked or shows the screen saver, or another user's
    // session is in front: nobody would see the panel.
    case UserNotificationState::NotPresent:
    case UserNotificationState::Busy:
    case UserNotificationState::RunningD3dFullScreen:
    case UserNotificationState::PresentationMode:
    case UserNotificationState::QuietTime:
      return true;
    case UserNotificationState::AcceptsNotifications:
    case UserNotificationState::App:
      return false;
  }
  return false;
}

std::optional<bool> ShowBannersOutputHolds(std::string_view output) {
  while (!output.empty() && (output.back() == '\n' || output.back() == ' ')) output.remove_suffix(1);
  if (output == "false") return true;
  if (output == "true") return false;
  return std::nullopt;
}

DisturbVotes::DisturbVotes(size_t sources, std::function<void(bool hold)> verdict)
    : missing_(sources), verdict_(std::move(verdict)) {
  if (missing_ == 0) verdict_(false);
}

void DisturbVotes::Add(std::optional<bool> busy) {
  if (missing_ == 0) return;
  hold_ = hold_ || busy.value_or(false);
  if (--missing_ == 0) verdict_(hold_);
}

}  // namespace quorbel
