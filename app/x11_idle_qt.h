#pragma once
// The X server's idle time through the screen-saver extension, on Qt's own
// X connection, and the monotonic clock the cycle's tick count comes from.
#include <cstdint>
#include <optional>

#include "app/host_timing.h"

namespace quorbel {

class X11IdleProbe : public IdleReader {
 public:
  // Finds Qt's X connection; without one (another platform plugin, or the
  // server lacks the extension) every query fails.
  X11IdleProbe();
  bool Available() const { return connection_ != nullptr; }
  std::optional<uint32_t> IdleMs() override;

 private:
  void* connection_ = nullptr;  // xcb_connection_t, owned by Qt
  uint32_t root_ = 0;
};

}  // namespace quorbel
