#pragma once
// Whether the desktop wants to be left alone just now: the user presents,
// runs a program full screen, or has asked it to hold notifications. A
// reminder that falls due then waits, as the desktop's own notifications do.
#include <functional>

namespace quorbel {

class DoNotDisturb {
 public:
  using Answer = std::function<void(bool hold)>;
  virtual ~DoNotDisturb() = default;
  // Calls `answer` exactly once, at once or later from the event loop; never
  // blocks the user-interface thread.
  virtual void Ask(Answer answer) = 0;
};

// For a desktop that has no such state: never holds.
class NeverHold final : public DoNotDisturb {
 public:
  void Ask(Answer answer) override { answer(false); }
};

}  // namespace quorbel
