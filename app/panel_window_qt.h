#pragma once
// The panel's top-level window on X11: frameless, always on top, a tool
// window that never takes the keyboard focus and shows in no taskbar or
// pager. It shows the frames the renderer hands it, at the top the cycle
// gives it, counted from the top of the primary screen; it follows that
// screen when screens are added, removed or rearranged.
#include <QImage>
#include <QWidget>

#include "app/panel_place.h"
#include "app/ports.h"
#include "panel/panel_renderer_qt.h"

namespace quorbel {

class QtPanelWindow : public QWidget, public FrameSink, public PanelWindow {
 public:
  // Placed at the primary screen's top, not yet shown.
  QtPanelWindow();

  void ShowFrame(const QImage& frame, std::optional<PixelRect> change) override;

  int32_t Top() const override { return place_.CycleTop(geometry().y()); }
  void SetTop(int32_t top) override;
  int32_t Height() const override { return height(); }

  // Shown at the cycle's top 0.
  void ShowAtTop();
  void AllowClose() { closable_ = true; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PlaceOnPrimaryScreen(int32_t cycle_top);
  void WatchScreen(const QScreen* screen);

  PanelPlace place_{std::nullopt};
  QImage frame_;
  bool shown_ = false;
  bool closable_ = false;
};

}  // namespace quorbel
