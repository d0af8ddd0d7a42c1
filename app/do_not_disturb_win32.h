#pragma once
// The Windows shell's word on whether to disturb the user now.
#include <cstdint>
#include <optional>

#include "app/do_not_disturb.h"

namespace quorbel {

// The shell's notification state; nothing when the call failed.
std::optional<int32_t> QueryUserNotificationState();

class Win32DoNotDisturb final : public DoNotDisturb {
 public:
  // The shell answers at once.
  void Ask(Answer answer) override;
};

}  // namespace quorbel
