#include "panel/panel_renderer_win32.h"

#include <windows.h>

#include "common/handles_win32.h"
#include "panel/frame_difference.h"
#include "panel/painter_win32.h"

namespace quorbel {

namespace {

class Win32FramePresenter : public FramePresenter {
 public:
  explicit Win32FramePresenter(HWND window) : window_(window) {}

  // The window is sized for its monitor's scale; its client area is the
  // frame.
  PixelSize FrameSize(const DisplayScale&) const override {
    RECT client{0, 0, kPanelWidth, kPanelHeight};
    GetClientRect(window_, &client);
    return PixelSize{client.right - client.left, client.bottom - client.top};
  }

  void Show(const PainterImage& image, FrameCache& frames) override {
    const FrameSurface& frame = static_cast<const Win32Frame&>(image).Surface();
    const WindowDc window_dc(window_);
    const LONG ex_style = GetWindowLongA(window_, GWL_EXSTYLE);
    if (!(ex_style & WS_EX_LAYERED)) SetWindowLongA(window_, GWL_EXSTYLE, ex_style | WS_EX_LAYERED);
    // Top-most without taking the focus from whatever the user is typing in.
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A shake tick changes only the logo's pixels: the rest stays on screen.
    const std::optional<PixelRect> change = frames.ChangeToShow(image, Difference);
    if (change && change->width == 0) return;
    RECT dirty{};
    if (change) dirty = RECT{change->x, change->y, change->x + change->width, change->y + change->height};
    SIZE size = frame.Size();
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UPDATELAYEREDWINDOWINFO update{sizeof(update), window_dc.get(), nullptr, &size, frame.dc(),
                                   &source, 0, &blend, ULW_ALPHA, change ? &dirty : nullptr};
    frames.Shown(UpdateLayeredWindowIndirect(window_, &update) ? &image : nullptr);
  }
  // The layered window keeps its own copy of what it shows.
  void Forget() override {}

 private:
  static PixelRect Difference(const PainterImage& a, const PainterImage& b) {
    GdiFlush();
    return DifferingRect(static_cast<const Win32Frame&>(a).Surface().Bits(),
                         static_cast<const Win32Frame&>(b).Surface().Bits(), a.Size(), RowOrder::kBottomUp);
  }

  HWND window_;
};

}  // namespace

std::unique_ptr<LayeredPanelRenderer> MakeLayeredPanelRenderer(void* window, Text exe_dir) {
  const auto hwnd = static_cast<HWND>(window);
  std::unique_ptr<FramePresenter> presenter;
  if (hwnd) presenter = std::make_unique<Win32FramePresenter>(hwnd);
  return std::make_unique<PanelCompositor>(std::make_unique<Win32Painter>(hwnd),
                                           std::move(presenter), std::move(exe_dir));
}

}  // namespace quorbel
