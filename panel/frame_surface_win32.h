#pragma once
// A window frame in plain GDI: what UpdateLayeredWindow pushes.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "common/handles_win32.h"

namespace quorbel {

// A memory device context holding a bottom-up 32-bit DIB, all pixels zero.
class FrameSurface {
 public:
  FrameSurface(HDC compatible_with, SIZE size);

  bool Ready() const { return select_.has_value() && bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  SIZE Size() const { return size_; }
  const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }
  void Clear();

 private:
  SIZE size_;
  unique_hdc dc_;
  unique_hbitmap bitmap_;
  void* bits_ = nullptr;
  std::optional<ScopedSelect> select_;  // released first: the bitmap goes back out
};

}  // namespace quorbel
