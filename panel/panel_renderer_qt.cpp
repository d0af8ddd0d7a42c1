#include "panel/panel_renderer_qt.h"

#include "panel/painter_qt.h"

namespace quorbel {

namespace {

class QtFramePresenter : public FramePresenter {
 public:
  explicit QtFramePresenter(FrameSink& sink) : sink_(sink) {}
  PixelSize FrameSize(const DisplayScale& scale) const override {
    return scale.Size({kPanelWidth, kPanelHeight});
  }
  // The sink takes the whole frame: a kept one is handed over as it is.
  void Show(const PainterImage& frame, FrameCache&) override {
    sink_.ShowFrame(static_cast<const QtImage&>(frame).Image());
  }

 private:
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
