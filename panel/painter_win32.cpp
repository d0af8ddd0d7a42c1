#include "panel/painter_win32.h"

#include <cmath>

#include "common/ansi.h"
#include "common/display_scale.h"
#include "common/handles_win32.h"
#include "panel/module1_win32.h"
#include "panel/panel_renderer_win32.h"

namespace quorbel {

using namespace gdip;

namespace {

// A GDI+ bitmap: drawn on and drawn from.
class Win32Bitmap : public PainterImage {
 public:
  explicit Win32Bitmap(unique_image image) : image_(std::move(image)) {}
  PixelSize Size() const override {
    UINT width = 0;
    UINT height = 0;
    GdipGetImageWidth(image_.get(), &width);
    GdipGetImageHeight(image_.get(), &height);
    return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
  }
  GpImage* get() const { return image_.get(); }

 private:
  unique_image image_;
};

ImagePtr Wrap(unique_image image) {
  if (!image) return nullptr;
  return std::make_unique<Win32Bitmap>(std::move(image));
}

// Frames are only drawn on; anything else this painter makes is a bitmap.
GpImage* Source(const PainterImage* image) {
  if (!image || dynamic_cast<const Win32Frame*>(image)) return nullptr;
  return static_cast<const Win32Bitmap*>(image)->get();
}

// A frame's bits, premultiplied and bottom-up, turned top-down.
FramePixels FrameSurfacePixels(const FrameSurface& surface) {
  GdiFlush();
  const SIZE size = surface.Size();
  FramePixels pixels{size.cx, size.cy, {}};
  pixels.pixels.reserve(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
  for (LONG row = size.cy - 1; row >= 0; --row) {
    const uint32_t* line = surface.Bits() + static_cast<size_t>(row) * static_cast<size_t>(size.cx);
    pixels.pixels.insert(pixels.pixels.end(), line, line + size.cx);
  }
  return pixels;
}

// A bitmap's pixels read premultiplied, as a frame holds them.
FramePixels BitmapPixels(GpImage* image) {
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(image, &width);
  GdipGetImageHeight(image, &height);
  FramePixels pixels{static_cast<int32_t>(width), static_cast<int32_t>(height), {}};
  pixels.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  const GpRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
  BitmapData data{width, height, static_cast<INT>(width * 4), PixelFormat32bppPARGB,
                  pixels.pixels.data(), 0};
  auto* bitmap = static_cast<GpBitmap*>(image);
  const UINT mode = ImageLockModeRead | ImageLockModeUserInputBuf;
  if (GdipBitmapLockBits(bitmap, &all, mode, PixelFormat32bppPARGB, &data) != Ok) return {};
  GdipBitmapUnlockBits(bitmap, &data);
  return pixels;
}

// Images in the target's pixels; texts laid out at the target's scale,
// icons and bar under a scaling world transform.
class Win32Canvas : public Canvas {
 public:
  Win32Canvas(PainterImage& target, double scale) : scale_(static_cast<REAL>(scale)) {
    if (auto* frame = dynamic_cast<Win32Frame*>(&target)) {
      GdipCreateFromHDC(frame->Surface().dc(), graphics_.put());
    } else {
      GdipGetImageGraphicsContext(Source(&target), graphics_.put());
    }
    GdipSetSmoothingMode(graphics_.get(), SmoothingModeAntiAlias);
  }

  void DrawImage(const PainterImage& image, PixelRect to) override {
    const PixelSize size = image.Size();
    if (size.width == to.width && size.height == to.height) {
      GdipDrawImageRectI(graphics_.get(), Source(&image), to.x, to.y, to.width, to.height);
      return;
    }
    // Bicubic over whole source pixels; edge pixels mirrored, not blended
    // with transparency, so a scaled skin keeps its opaque edges.
    GraphicsState state = 0;
    GdipSaveGraphics(graphics_.get(), &state);
    GdipSetInterpolationMode(graphics_.get(), InterpolationModeHighQualityBicubic);
    GdipSetPixelOffsetMode(graphics_.get(), PixelOffsetModeHalf);
    unique_image_attributes edges;
    GdipCreateImageAttributes(edges.put());
    GdipSetImageAttributesWrapMode(edges.get(), WrapModeTileFlipXY, 0, FALSE);
    GdipDrawImageRectRectI(graphics_.get(), Source(&image), to.x, to.y, to.width, to.height, 0, 0,
                           size.width, size.height, UnitPixel, edges.get(), nullptr, nullptr);
    GdipRestoreGraphics(graphics_.get(), state);
  }
  void DrawImagePart(const PainterImage& image, PixelRect part) override {
    GdipDrawImageRectRectI(graphics_.get(), Source(&image), part.x, part.y, part.width,
                           part.height, part.x, part.y, part.width, part.height, UnitPixel,
                           nullptr, nullptr, nullptr);
  }
  void Fill(PixelRect rect, Argb colour) override {
    unique_brush brush;
    GdipCreateSolidFill(colour, brush.put());
    GdipFillRectangleI(graphics_.get(), brush.get(), rect.x, rect.y, rect.width, rect.height);
  }
  void DrawShadowText(const TextRow& row) override {
    DrawShadowTextAtScale(graphics_.get(), row.text, row.x, row.y, kPanelFont, row.size, row.colour,
                          row.style, row.shadow, row.width, scale_);
  }
  void DrawSectionIcons(const Text& icon_file) override {
    const Scaled scaled(graphics_.get(), scale_);
    quorbel::DrawSectionIcons(graphics_.get(), icon_file);
  }
  void DrawLevelBar(const PainterImage* sprites, int32_t x, int32_t level,
                    float opacity) override {
    const Scaled scaled(graphics_.get(), scale_);
    quorbel::DrawLevelBar(graphics_.get(), Source(sprites), x, level, opacity);
  }

 private:
  // The graphics at the canvas's scale while the object lives; its other
  // settings (text rendering, interpolation) come back with it.
  class Scaled {
   public:
    Scaled(GpGraphics* graphics, REAL scale) : graphics_(graphics) {
      GdipSaveGraphics(graphics_, &state_);
      GdipScaleWorldTransform(graphics_, scale, scale, MatrixOrderPrepend);
      if (scale != 1.0F) GdipSetInterpolationMode(graphics_, InterpolationModeHighQualityBicubic);
    }
    Scaled(const Scaled&) = delete;
    Scaled& operator=(const Scaled&) = delete;
    ~Scaled() { GdipRestoreGraphics(graphics_, state_); }

   private:
    GpGraphics* graphics_;
    GraphicsState state_ = 0;
  };

  unique_graphics graphics_;
  REAL scale_;
};

// Widths in the label font as GDI lays a heading out on one line at the
// scale's font size, in logical pixels: hinted glyphs do not grow in step
// with the scale, and the value after a heading must clear it as drawn.
// The scale's DPI, not the monitor's.
class GdiLabelFontMeasurer : public HeadingMeasurer {
 public:
  explicit GdiLabelFontMeasurer(double scale) : dc_(CreateCompatibleDC(nullptr)), scale_(scale) {
    const auto dpi = static_cast<int>(std::lround(kLogicalDpi * scale));
    const int height = -MulDiv(kLabelFontCentipoints, dpi, 7200);
    font_.reset(CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Verdana"));
  }

  float Width(TextView heading) override {
    if (!dc_ || !font_ || heading.empty()) return 0.0F;
    const ScopedSelect select(dc_.get(), font_.get());
    const std::string ansi = ToAnsi(heading);
    SIZE extent{};
    GetTextExtentPoint32A(dc_.get(), ansi.data(), static_cast<int>(ansi.size()), &extent);
    return static_cast<float>(extent.cx / scale_);
  }

 private:
  unique_hdc dc_;
  unique_hfont font_;
  double scale_;
};

}  // namespace

ImagePtr Win32Painter::Load(const Text& path) { return Wrap(LoadImageFile(path)); }

ImagePtr Win32Painter::LoadCorner(const Text& path, PixelSize corner) {
  return Wrap(LoadImageCorner(path, corner));
}

ImagePtr Win32Painter::Blank(PixelSize size) { return Wrap(NewArgbImage(size.width, size.height)); }

ImagePtr Win32Painter::BlankFrame(PixelSize size) {
  const WindowDc window_dc(window_);
  auto frame = std::make_unique<Win32Frame>(window_dc.get(), SIZE{size.width, size.height});
  if (!frame->Surface().Ready()) return nullptr;
  return frame;
}

void Win32Painter::Clear(PainterImage& frame) {
  if (auto* surface = dynamic_cast<Win32Frame*>(&frame)) surface->Surface().Clear();
}

std::unique_ptr<Canvas> Win32Painter::Begin(PainterImage& target, double scale) {
  return std::make_unique<Win32Canvas>(target, scale);
}

FramePixels Win32Painter::Pixels(const PainterImage& image) const {
  const auto* frame = dynamic_cast<const Win32Frame*>(&image);
  return frame ? FrameSurfacePixels(frame->Surface()) : BitmapPixels(Source(&image));
}

std::unique_ptr<HeadingMeasurer> Win32Painter::LabelFontMeasurer(double scale) const {
  return std::make_unique<GdiLabelFontMeasurer>(scale);
}

std::unique_ptr<HeadingMeasurer> MakeLabelFontMeasurer() {
  return std::make_unique<GdiLabelFontMeasurer>(1.0);
}

}  // namespace quorbel
