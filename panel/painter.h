#pragma once
// What the panel compositor needs from a platform's graphics: native images
// and the few ways it paints on them. A call that fails draws nothing; an
// image that cannot be had is null.
#include <cstdint>
#include <memory>

#include "common/geometry.h"
#include "common/text.h"
#include "panel/frame_pixels.h"
#include "panel/module1.h"
#include "panel/panel_layout.h"

namespace quorbel {

// A native image; only the painter that made it knows what is inside.
class PainterImage {
 public:
  virtual ~PainterImage() = default;
  virtual PixelSize Size() const = 0;
};
using ImagePtr = std::unique_ptr<PainterImage>;

// Drawing on one target image while the object lives. Images and fills are
// placed in the target's own (device) pixels; Module1's routines take the
// panel's 96-dpi (logical) figures and draw them at the canvas's scale, so
// texts are laid out alike at every scale and drawn sharp at each.
class Canvas {
 public:
  virtual ~Canvas() = default;
  // All of `image` stretched over `to`, with a high-quality filter when the
  // sizes differ.
  virtual void DrawImage(const PainterImage& image, PixelRect to) = 0;
  // The part `part` of `image`, unscaled, at the same place on the target.
  virtual void DrawImagePart(const PainterImage& image, PixelRect part) = 0;
  virtual void Fill(PixelRect rect, Argb colour) = 0;
  // Module1's three routines.
  virtual void DrawShadowText(const TextRow& row) = 0;
  virtual void DrawSectionIcons(const Text& icon_file) = 0;
  virtual void DrawLevelBar(const PainterImage* sprites, int32_t x, int32_t level,
                            float opacity) = 0;
};

class Painter {
 public:
  virtual ~Painter() = default;
  // The whole picture, within the pixel budget.
  virtual ImagePtr Load(const Text& path) = 0;
  // Only the top-left `corner` of the picture (all of it where smaller).
  virtual ImagePtr LoadCorner(const Text& path, PixelSize corner) = 0;
  // A transparent image to compose on and draw from.
  virtual ImagePtr Blank(PixelSize size) = 0;
  // A transparent image the window can show; it is drawn on, never from.
  virtual ImagePtr BlankFrame(PixelSize size) = 0;
  // Makes a frame transparent again, to compose it anew.
  virtual void Clear(PainterImage& frame) = 0;
  // `scale` is what Module1's routines are drawn at (device pixels per
  // logical one).
  virtual std::unique_ptr<Canvas> Begin(PainterImage& target, double scale) = 0;
  // An image's pixels, premultiplied, after everything drawn on it has landed.
  virtual FramePixels Pixels(const PainterImage& image) const = 0;
  // Widths of headings in the label font, in logical pixels, as this
  // platform lays them out when it draws texts at `scale`.
  virtual std::unique_ptr<HeadingMeasurer> LabelFontMeasurer(double scale) const = 0;
};

}  // namespace quorbel
