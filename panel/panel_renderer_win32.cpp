#include "panel/panel_renderer_win32.h"

#include <algorithm>
#include <optional>

#include "common/ansi.h"
#include "common/handles_win32.h"
#include "common/gdiplus_win32.h"
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

// A memory device context holding a zeroed, bottom-up 32-bit DIB.
class FrameSurface {
 public:
  FrameSurface(HDC compatible_with, int32_t width, int32_t height)
      : dc_(CreateCompatibleDC(compatible_with)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(4 * width * height);
    if (!dc_) return;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bitmap_) select_.emplace(dc_.get(), bitmap_.get());
  }

  bool Ready() const { return select_.has_value() && bits_ != nullptr; }
  HDC dc() const { return dc_.get(); }
  const uint32_t* Bits() const { return static_cast<const uint32_t*>(bits_); }

 private:
  unique_hdc dc_;
  unique_hbitmap bitmap_;
  void* bits_ = nullptr;
  std::optional<ScopedSelect> select_;  // released first: the bitmap goes back out
};

class Win32LayeredPanelRenderer : public LayeredPanelRenderer {
 public:
  Win32LayeredPanelRenderer(HWND window, Text exe_dir)
      : window_(window), icons_path_(std::move(exe_dir) + u"\\icons.png") {}

  void LoadLogo(const Text& path) override { logo_ = LoadImageFile(path); }
  int32_t PanelWidth() const override { return panel_width(); }
  int32_t PanelHeight() const override { return panel_height(); }

  void DrawPanel(const PanelModel& model) override {
    const unique_image sprites = LoadImageFile(icons_path_);
    const unique_image skin = LoadImageFile(model.skin_path);
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
    const FrameSurface surface(window_dc.get(), size.cx, size.cy);
    if (!surface.Ready()) return;
    DrawFrame(surface.dc(), logo_top);
    PushToWindow(window_dc.get(), surface, size);
  }

  FramePixels ComposeFrame(int32_t logo_top) override {
    const SIZE size = ClientSize();
    const WindowDc window_dc(window_);
    const FrameSurface surface(window_dc.get(), size.cx, size.cy);
    if (!surface.Ready()) return {};
    DrawFrame(surface.dc(), logo_top);
    return CopyTopDown(surface, size);
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

  void PushToWindow(HDC window_dc, const FrameSurface& surface, SIZE size) const {
    const LONG ex_style = GetWindowLongA(window_, GWL_EXSTYLE);
    SetWindowLongA(window_, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    // Top-most without taking the focus from whatever the user is typing in.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window_, window_dc, nullptr, &size, surface.dc(), &source, 0, &blend,
                        ULW_ALPHA);
  }

  static FramePixels CopyTopDown(const FrameSurface& surface, SIZE size) {
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
};

}  // namespace

std::unique_ptr<LayeredPanelRenderer> MakeLayeredPanelRenderer(void* window, Text exe_dir) {
  return std::make_unique<Win32LayeredPanelRenderer>(static_cast<HWND>(window), std::move(exe_dir));
}

std::unique_ptr<HeadingMeasurer> MakeLabelFontMeasurer() {
  return std::make_unique<LabelFontMeasurer>();
}

}  // namespace quorbel
