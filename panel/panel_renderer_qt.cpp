#include "panel/panel_renderer_qt.h"

#include "panel/frame_difference.h"
#include "panel/painter_qt.h"

namespace quorbel {

namespace {

class QtFramePresenter : public FramePresenter {
 public:
  explicit QtFramePresenter(FrameSink& sink) : sink_(sink) {}
  PixelSize FrameSize(const DisplayScale& scale) const override {
    return scale.Size({kPanelWidth, kPanelHeight});
  }
  // A shake tick changes only the logo's pixels: the sink repaints only them.
  void Show(const PainterImage& frame, FrameCache& frames) override {
    const std::optional<PixelRect> change = frames.ChangeToShow(frame, Difference);
    if (change && change->width == 0) return;
    sink_.ShowFrame(static_cast<const QtImage&>(frame).Image(), change);
    frames.Shown(&frame);
  }
  void Forget() override { sink_.ForgetFrame(); }

 private:
  static PixelRect Difference(const PainterImage& a, const PainterImage& b) {
    const QImage& first = static_cast<const QtImage&>(a).Image();
    const QImage& second = static_cast<const QtImage&>(b).Image();
    return DifferingRect(reinterpret_cast<const uint32_t*>(first.constBits()),
                         reinterpret_cast<const uint32_t*>(second.constBits()), a.Size(),
                         RowOrder::kTopDown);
  }

  FrameSink& sink_;
};

}  // namespace

std::unique_ptr<QtPanelRenderer> MakeQtPanelRenderer(FrameSink* sink, Text data_dir) {
  std::unique_ptr<FramePresenter> presenter;
  if (sink != nullptr) presenter = std::make_unique<QtFramePresenter>(*sink);
  return std::make_unique<PanelCompositor>(std::make_unique<QtPainter>(), std::move(presenter),
                                           std::move(data_dir));
}

}  // namespace quorbel
