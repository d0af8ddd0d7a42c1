#pragma once
// The panel's painter over the GDI+ flat API. Images are GDI+ bitmaps and
// need GDI+ running; frames are GDI device-independent bitmaps the layered
// window is updated from, and may outlive GDI+.
#include <memory>

#include "common/gdiplus_win32.h"
#include "panel/frame_surface_win32.h"
#include "panel/painter.h"

namespace quorbel {

// A frame of the Win32 painter: what the window presents.
class Win32Frame : public PainterImage {
 public:
  Win32Frame(HDC compatible_with, SIZE size) : surface_(compatible_with, size) {}
  PixelSize Size() const override { return {surface_.Size().cx, surface_.Size().cy}; }
  FrameSurface& Surface() { return surface_; }
  const FrameSurface& Surface() const { return surface_; }

 private:
  FrameSurface surface_;
};

class Win32Painter : public Painter {
 public:
  // Frames are made compatible with `window`'s device context (the screen's
  // when null).
  explicit Win32Painter(HWND window) : window_(window) {}

  ImagePtr Load(const Text& path) override;
  ImagePtr LoadCorner(const Text& path, PixelSize corner) override;
  ImagePtr Blank(PixelSize size) override;
  ImagePtr BlankFrame(PixelSize size) override;
  void Clear(PainterImage& frame) override;
  std::unique_ptr<Canvas> Begin(PainterImage& target, double scale) override;
  FramePixels Pixels(const PainterImage& image) const override;
  std::unique_ptr<HeadingMeasurer> LabelFontMeasurer(double scale) const override;

 private:
  HWND window_;
};

}  // namespace quorbel
