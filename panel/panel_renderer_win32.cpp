#include "panel/panel_renderer_win32.h"

#include <algorithm>
#include <optional>

#include "common/ansi.h"
#include "common/handles_win32.h"
#include "common/gdiplus_win32.h"
#include "panel/frame_cache_win32.h"
#include "panel/module1_win32.h"
#include "panel/panel_canvas.h"

namespace quorbel {

using namespace gdip;

namespace {

class LabelFontMeasurer : public HeadingMeasurer {
 public:
  LabelFontMeasurer() : dc_(CreateCompatibleDC(nullptr)) {
    const int height = -MulDiv(kLabelFontCentipoints, GetDeviceCaps(dc_.get(), LOGPIXELSY), 7200);
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
    return static_cast<float>(extent.cx);
  }

 private:
  unique_hdc dc_;
  unique_hfont font_;
};

// The logo drawn once onto its 40 x 27 place, as a frame draws it: a large
// picture is not kept, and every frame copies the logo unscaled.
unique_image LogoAtItsPlace(const unique_image& logo) {
  if (!logo) return {};
  unique_image placed = NewArgbImage(kLogoWidth, kLogoHeight);
  unique_graphics graphics;
  if (!placed || GdipGetImageGraphicsContext(placed.get(), graphics.put()) != Ok) return {};
  GdipDrawImageRectI(graphics.get(), logo.get(), 0, 0, kLogoWidth, kLogoHeight);
  return placed;
}

class Win32LayeredPanelRenderer : public LayeredPanelRenderer {
 public:
  Win32LayeredPanelRenderer(HWND window, Text exe_dir)
      : window_(window), icons_path_(std::move(exe_dir) + u"\\icons.png") {}

  void LoadLogo(const Text& path) override {
    frames_.Invalidate();
    logo_ = LogoAtItsPlace(LoadImageFile(path));
  }
  void ReleaseImages() override {
    frames_.Invalidate();
    panel_image_.reset();
    logo_.reset();
  }
  int32_t PanelWidth() const override { return panel_width(); }
  int32_t PanelHeight() const override { return panel_height(); }

  void DrawPanel(const PanelModel& model) override {
    frames_.Invalidate();
    const unique_image sprites = LoadImageCorner(icons_path_, kSpriteSheetUsed);
    // The window shows the skin's top-left 450 x 140 pixels, and keeps no more.
    const unique_image skin = LoadImageCorner(model.skin_path, {kPanelWidth, kPanelHeight});
    canvas_.TakeSkin(skin ? std::optional(ImageSize(skin.get())) : std::nullopt);
    const bool plain = !skin && canvas_.Plain();
    // The old image goes first; if the new one cannot be made nothing is
    // left to draw from, and PresentPanel shows only the logo.
    panel_image_.reset();
    panel_image_ = NewArgbImage(panel_width(), panel_height());
    if (!panel_image_) return;

    unique_graphics graphics;
    GdipGetImageGraphicsContext(panel_image_.get(), graphics.put());
    GdipSetSmoothingMode(graphics.get(), SmoothingModeAntiAlias);
    if (skin) {
      const PixelSize size = ImageSize(skin.get());
      GdipDrawImageRect(graphics.get(), skin.get(), 0, 0, static_cast<REAL>(size.width),
                        static_cast<REAL>(size.height));
    }
    if (plain) DrawPlainBackground(graphics.get());
    const PanelLayout layout = LayOutPanel(model, *MakeLabelFontMeasurer());
    for (const TextRow& row : layout.headings) Draw(graphics.get(), row);
    DrawSectionIcons(graphics.get(), icons_path_);
    DrawLevelBar(graphics.get(), sprites.get(), layout.level_bar_x, model.alarm_level, 1.0F);
    for (const TextRow& row : layout.level_lines) Draw(graphics.get(), row);
  }

  void PresentPanel(int32_t logo_top) override {
    if (!window_) return;
    const SIZE size = ClientSize();
    const WindowDc window_dc(window_);
    const FrameSurface* frame = frames_.Find(logo_top, size);
    if (!frame) frame = ComposeOn(frames_.Take(logo_top, size, window_dc.get()), logo_top);
    if (!frame) return;
    PushToWindow(window_dc.get(), *frame);
  }

  FramePixels ComposeFrame(int32_t logo_top) override {
    const SIZE size = ClientSize();
    const WindowDc window_dc(window_);
    const FrameSurface surface(window_dc.get(), size);
    if (!surface.Ready()) return {};
    DrawFrame(surface.dc(), logo_top);
    return CopyTopDown(surface);
  }

  FramePixels KeptFrame(int32_t logo_top) const override {
    const FrameSurface* frame = frames_.Find(logo_top, ClientSize());
    if (!frame) return {};
    GdiFlush();
    return CopyTopDown(*frame);
  }

 private:
  static PixelSize ImageSize(GpImage* image) {
    UINT width = 0;
    UINT height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
  }

  int32_t panel_width() const { return canvas_.Size().width; }
  int32_t panel_height() const { return canvas_.Size().height; }

  void DrawPlainBackground(GpGraphics* graphics) const {
    unique_brush body;
    GdipCreateSolidFill(kPlainBody, body.put());
    GdipFillRectangleI(graphics, body.get(), 0, 0, panel_width(), panel_height());
    unique_brush title;
    GdipCreateSolidFill(kPlainTitle, title.put());
    GdipFillRectangleI(graphics, title.get(), 0, 0, panel_width(), kPlainTitleBand);
  }

  static void Draw(GpGraphics* graphics, const TextRow& row) {
    DrawShadowText(graphics, row.text, row.x, row.y, kPanelFont, row.size, row.colour, row.style,
                   row.shadow, row.width);
  }

  SIZE ClientSize() const {
    RECT client{0, 0, kPanelWidth, kPanelHeight};
    if (window_) GetClientRect(window_, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
  }

  // The panel image, the logo, and the panel's own pixels over the logo's
  // lower edge.
  void DrawFrame(HDC dc, int32_t logo_top) const {
    unique_graphics graphics;
    if (GdipCreateFromHDC(dc, graphics.put()) != Ok) return;
    if (panel_image_) {
      GdipDrawImageRectI(graphics.get(), panel_image_.get(), 0, 0, panel_width(), panel_height());
    }
    if (logo_) {
      GdipDrawImageRectI(graphics.get(), logo_.get(), kLogoX, logo_top, kLogoWidth, kLogoHeight);
    }
    if (panel_image_) {
      const PixelRect& c = kLogoCover;
      GdipDrawImageRectRectI(graphics.get(), panel_image_.get(), c.x, c.y, c.width, c.height, c.x,
                             c.y, c.width, c.height, UnitPixel, nullptr, nullptr, nullptr);
    }
  }

  const FrameSurface* ComposeOn(FrameSurface* surface, int32_t logo_top) const {
    if (surface) DrawFrame(surface->dc(), logo_top);
    return surface;
  }

  void PushToWindow(HDC window_dc, const FrameSurface& frame) {
    const LONG ex_style = GetWindowLongA(window_, GWL_EXSTYLE);
    if (!(ex_style & WS_EX_LAYERED)) SetWindowLongA(window_, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    // Top-most without taking the focus from whatever the user is typing in.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A shake tick changes only the logo's pixels: the rest stays on screen.
    const std::optional<PixelRect> change = frames_.ChangeToShow(frame);
    if (change && change->width == 0) return;
    RECT dirty{};
    if (change) dirty = RECT{change->x, change->y, change->x + change->width, change->y + change->height};
    SIZE size = frame.Size();
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update{sizeof(update), window_dc, nullptr, &size, frame.dc(), &source,
                                   0, &blend, ULW_ALPHA, change ? &dirty : nullptr};
    frames_.Shown(UpdateLayeredWindowIndirect(window_, &update) ? &frame : nullptr);
  }

  static FramePixels CopyTopDown(const FrameSurface& surface) {
    const SIZE size = surface.Size();
    FramePixels frame{size.cx, size.cy, {}};
    frame.pixels.reserve(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    for (LONG row = size.cy - 1; row >= 0; --row) {
      const uint32_t* line = surface.Bits() + static_cast<size_t>(row) * static_cast<size_t>(size.cx);
      frame.pixels.insert(frame.pixels.end(), line, line + size.cx);
    }
    return frame;
  }

  HWND window_;
  Text icons_path_;
  unique_image panel_image_;
  unique_image logo_;
  PanelCanvas canvas_;
  FrameCache frames_;
};

}  // namespace

std::unique_ptr<LayeredPanelRenderer> MakeLayeredPanelRenderer(void* window, Text exe_dir) {
  return std::make_unique<Win32LayeredPanelRenderer>(static_cast<HWND>(window), std::move(exe_dir));
}

std::unique_ptr<HeadingMeasurer> MakeLabelFontMeasurer() {
  return std::make_unique<LabelFontMeasurer>();
}

}  // namespace quorbel
