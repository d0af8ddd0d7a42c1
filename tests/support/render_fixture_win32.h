#pragma once
// The render fixture's Windows half: what only GDI and GDI+ tests use.
#include <cstddef>
#include <cstdint>

#include "common/gdiplus_win32.h"
#include "tests/support/render_fixture.h"

namespace quorbel::fixtures {

// Committed memory of this process in bytes (Wine fills this counter; it
// leaves the private-usage and GDI-object counts at 0).
size_t CommittedBytes();

// A figure that grows with the GDI objects this process holds. Wine does not
// count them (GetGuiResources gives 0): there it is the highest handle slot
// that a batch of new objects takes, which rises only when slots stay in
// use. Call it once first, so that its own first-use objects are made.
size_t GdiObjectsInUse();

// A transparent ARGB image with a graphics object on it, for drawing tests.
class TestCanvas {
 public:
  TestCanvas(int32_t width, int32_t height);
  gdip::GpGraphics* Graphics() const { return graphics_.get(); }
  // Unpremultiplied ARGB, after everything drawn so far has landed.
  Argb Pixel(int32_t x, int32_t y) const;
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  int32_t width_;
  int32_t height_;
  gdip::unique_image image_;
  gdip::unique_graphics graphics_;
};

}  // namespace quorbel::fixtures
