#pragma once
// The window frames PresentPanel has composed, kept for the panel's life:
// between two DrawPanel calls the only frames are the logo's two positions,
// so a shake tick whose frame is ready just shows it.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/geometry.h"
#include "panel/painter.h"

namespace quorbel {

class FrameCache {
 public:
  // Where two frames of one size differ (empty when equal).
  using Difference = std::function<PixelRect(const PainterImage& a, const PainterImage& b)>;

  // The ready frame of `logo_top` at `size`, or null.
  const PainterImage* Find(int32_t logo_top, PixelSize size) const;
  // A transparent frame that becomes the one of `logo_top` once drawn on;
  // null when none can be made.
  PainterImage* Take(int32_t logo_top, PixelSize size, Painter& painter);
  // What has to be pushed to show `next`: the rectangle where it differs from
  // the frame the window shows (empty when they are equal), or nothing, which
  // means the whole frame.
  std::optional<PixelRect> ChangeToShow(const PainterImage& next, const Difference& difference);
  // `frame` is what the window now shows; null when that is unknown.
  void Shown(const PainterImage* frame) { shown_ = frame; }
  // Every kept frame is out of date (a new panel image or logo).
  void Invalidate();
  // Frees every frame; the next one is made anew.
  void Release();

 private:
  struct Slot {
    ImagePtr frame;
    int32_t logo_top = 0;
    bool ready = false;
  };
  static bool Fits(const Slot& slot, PixelSize size);
  Slot& SlotToCompose();

  std::array<Slot, 2> slots_;
  const PainterImage* shown_ = nullptr;
  std::optional<PixelRect> difference_;  // between the two ready frames
};

}  // namespace quorbel
