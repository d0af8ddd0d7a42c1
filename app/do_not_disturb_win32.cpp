#include "app/do_not_disturb_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "app/disturb_rules.h"

namespace quorbel {

std::optional<int32_t> QueryUserNotificationState() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return std::nullopt;
  return static_cast<int32_t>(state);
}

void Win32DoNotDisturb::Ask(Answer answer) {
  const std::optional<int32_t> state = QueryUserNotificationState();
  answer(state && NotificationStateHolds(*state));
}

}  // namespace quorbel
