#pragma once
// The window frames PresentPanel has composed, kept for the panel's life:
// between two DrawPanel calls the only frames are the logo's two positions,
// so a shake tick whose frame is ready just pushes it.
#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

#include "common/geometry.h"
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

class FrameCache {
 public:
  // The ready frame of `logo_top` at `size`, or null.
  const FrameSurface* Find(int32_t logo_top, SIZE size) const;
  // A zeroed surface that becomes the frame of `logo_top` once drawn on;
  // null when none can be made.
  FrameSurface* Take(int32_t logo_top, SIZE size, HDC compatible_with);
  // What has to be pushed to show `next`: the rectangle where it differs from
  // the frame the window shows (empty when they are equal), or nothing, which
  // means the whole frame.
  std::optional<PixelRect> ChangeToShow(const FrameSurface& next);
  // `frame` is what the window now shows; null when that is unknown.
  void Shown(const FrameSurface* frame) { shown_ = frame; }
  // Every kept frame is out of date (a new panel image or logo).
  void Invalidate();

 private:
  struct Slot {
    std::optional<FrameSurface> surface;
    int32_t logo_top = 0;
    bool ready = false;
  };
  static bool Fits(const Slot& slot, SIZE size);
  Slot& SlotToCompose();

  std::array<Slot, 2> slots_;
  const FrameSurface* shown_ = nullptr;
  std::optional<PixelRect> difference_;  // between the two ready frames
};

}  // namespace quorbel
