#pragma once
// The panel's top-level window on X11: frameless, always on top, a tool
// window that never takes the keyboard focus and shows in no taskbar or
// pager. It shows the frames the renderer hands it, at the top the cycle
// gives it, counted from the top of the primary screen; it follows that
// screen when screens are added, removed or rearranged. To assistive
// technology it is an alert message named with the reminder last announced.
#include <QImage>
#include <QWidget>
#include <functional>

#include "app/panel_place.h"
#include "app/ports.h"
#include "panel/panel_renderer_qt.h"

namespace quorbel {

class QtPanelWindow : public QWidget, public FrameSink, public PanelWindow {
 public:
  // Placed at the primary screen's top, not yet shown.
  QtPanelWindow();

  void ShowFrame(const QImage& frame, std::optional<PixelRect> change) override;
  void ForgetFrame() override { frame_ = QImage(); }

  int32_t Top() const override { return place_.CycleTop(geometry().y()); }
  void SetTop(int32_t top) override;
  int32_t Height() const override { return height(); }
  // An alert to assistive technology, named with the text.
  void AnnounceArrival(const Text& text) override;

  // The window's device pixel ratio, and `changed` called with the new one
  // whenever it moves to a screen of another ratio.
  double DevicePixelRatio() const { return devicePixelRatioF(); }
  void OnRatioChange(std::function<void(double)> changed) { ratio_changed_ = std::move(changed); }

  // Shown at the cycle's top 0.
  void ShowAtTop();
  void AllowClose() { closable_ = true; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOnPrimaryScreen(int32_t cycle_top);
  void WatchScreen(const QScreen* screen);
  void CheckRatio();

  PanelPlace place_{std::nullopt};
  QImage frame_;
  bool shown_ = false;
  bool closable_ = false;
  double ratio_ = 1.0;
  std::function<void(double)> ratio_changed_;
};

}  // namespace quorbel
