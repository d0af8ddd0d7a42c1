// The shell's notification state, as the running system answers it, and the
// reminder's decision taken from it.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "app/disturb_rules.h"
#include "app/do_not_disturb_win32.h"

namespace quorbel::testing {
namespace {

TEST(Win32DoNotDisturb, TheShellsStateDecidesAtOnce) {
  const std::optional<int32_t> state = QueryUserNotificationState();
  std::printf("SHQueryUserNotificationState: %s %d\n", state ? "S_OK" : "failed", state.value_or(0));
  RecordProperty("notification_state", state.value_or(0));

  Win32DoNotDisturb do_not_disturb;
  std::vector<bool> answers;
  do_not_disturb.Ask([&](bool hold) { answers.push_back(hold); });
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], state && NotificationStateHolds(*state));
}

}  // namespace
}  // namespace quorbel::testing
