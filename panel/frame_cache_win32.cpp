#include "panel/frame_cache_win32.h"

#include <cstring>

#include "panel/frame_difference.h"

namespace quorbel {

FrameSurface::FrameSurface(HDC compatible_with, SIZE size)
    : size_(size), dc_(CreateCompatibleDC(compatible_with)) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = size.cy;  // positive: bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  info.bmiHeader.biSizeImage = static_cast<DWORD>(4 * size.cx * size.cy);
  if (!dc_) return;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (bitmap_) select_.emplace(dc_.get(), bitmap_.get());
}

void FrameSurface::Clear() {
  if (!Ready()) return;
  GdiFlush();  // GDI may still be writing to the bits
  std::memset(bits_, 0, 4 * static_cast<size_t>(size_.cx) * static_cast<size_t>(size_.cy));
}

bool FrameCache::Fits(const Slot& slot, SIZE size) {
  return slot.surface && slot.surface->Size().cx == size.cx && slot.surface->Size().cy == size.cy;
}

const FrameSurface* FrameCache::Find(int32_t logo_top, SIZE size) const {
  for (const Slot& slot : slots_) {
    if (slot.ready && slot.logo_top == logo_top && Fits(slot, size)) return &*slot.surface;
  }
  return nullptr;
}

// A free slot first; else the one the window does not show, so that the
// shown frame stays the base of the next partial update.
FrameCache::Slot& FrameCache::SlotToCompose() {
  for (Slot& slot : slots_) {
    if (!slot.ready) return slot;
  }
  return slots_[0].surface && &*slots_[0].surface == shown_ ? slots_[1] : slots_[0];
}

FrameSurface* FrameCache::Take(int32_t logo_top, SIZE size, HDC compatible_with) {
  Slot& slot = SlotToCompose();
  if (slot.surface && &*slot.surface == shown_) shown_ = nullptr;
  slot.ready = false;
  difference_.reset();
  if (Fits(slot, size) && slot.surface->Ready()) {
    slot.surface->Clear();
  } else {
    slot.surface.reset();
    slot.surface.emplace(compatible_with, size);
  }
  if (!slot.surface->Ready()) return nullptr;
  slot.logo_top = logo_top;
  slot.ready = true;
  return &*slot.surface;
}

std::optional<PixelRect> FrameCache::ChangeToShow(const FrameSurface& next) {
  if (!shown_) return std::nullopt;
  if (shown_ == &next) return PixelRect{};
  const SIZE size = next.Size();
  if (shown_->Size().cx != size.cx || shown_->Size().cy != size.cy) return std::nullopt;
  if (!difference_) {
    GdiFlush();
    difference_ = DifferingRect(shown_->Bits(), next.Bits(), PixelSize{size.cx, size.cy});
  }
  return difference_;
}

void FrameCache::Invalidate() {
  for (Slot& slot : slots_) slot.ready = false;
  shown_ = nullptr;
  difference_.reset();
}

}  // namespace quorbel
