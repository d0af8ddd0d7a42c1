#include "panel/frame_cache.h"

namespace quorbel {

bool FrameCache::Fits(const Slot& slot, PixelSize size) {
  return slot.frame && slot.frame->Size() == size;
}

const PainterImage* FrameCache::Find(int32_t logo_top, PixelSize size) const {
  for (const Slot& slot : slots_) {
    if (slot.ready && slot.logo_top == logo_top && Fits(slot, size)) return slot.frame.get();
  }
  return nullptr;
}

// A free slot first; else the one the window does not show, so that the
// shown frame stays the base of the next partial update.
FrameCache::Slot& FrameCache::SlotToCompose() {
  for (Slot& slot : slots_) {
    if (!slot.ready) return slot;
  }
  return slots_[0].frame && slots_[0].frame.get() == shown_ ? slots_[1] : slots_[0];
}

PainterImage* FrameCache::Take(int32_t logo_top, PixelSize size, Painter& painter) {
  Slot& slot = SlotToCompose();
  if (slot.frame && slot.frame.get() == shown_) shown_ = nullptr;
  slot.ready = false;
  difference_.reset();
  if (Fits(slot, size)) {
    painter.Clear(*slot.frame);
  } else {
    slot.frame.reset();
    slot.frame = painter.BlankFrame(size);
  }
  if (!slot.frame) return nullptr;
  slot.logo_top = logo_top;
  slot.ready = true;
  return slot.frame.get();
}

std::optional<PixelRect> FrameCache::ChangeToShow(const PainterImage& next,
                                                  const Difference& difference) {
  if (!shown_) return std::nullopt;
  if (shown_ == &next) return PixelRect{};
  if (shown_->Size() != next.Size()) return std::nullopt;
  if (!difference_) difference_ = difference(*shown_, next);
  return difference_;
}

void FrameCache::Release() {
  Invalidate();
  for (Slot& slot : slots_) slot.frame.reset();
}

void FrameCache::Invalidate() {
  for (Slot& slot : slots_) slot.ready = false;
  shown_ = nullptr;
  difference_.reset();
}

}  // namespace quorbel
