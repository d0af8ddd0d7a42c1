#include "panel/frame_surface_win32.h"

#include <cstring>

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

}  // namespace quorbel
