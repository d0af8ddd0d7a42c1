#pragma once
// The reminder panel's renderer with QPainter: composes the panel into a
// premultiplied 32-bit image and hands each frame, with the logo, to the
// window that shows it.
#include <QImage>
#include <cstdint>
#include <map>
#include <memory>

#include "common/text.h"
#include "panel/panel_canvas.h"
#include "panel/panel_layout.h"
#include "panel/panel_model.h"

namespace quorbel {

// Whatever puts a composed frame on the screen: the panel window.
class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // `frame` is 450 x 140, premultiplied ARGB; transparent pixels show what
  // lies behind the window.
  virtual void ShowFrame(const QImage& frame) = 0;
};

class QtPanelRenderer : public PanelRenderer {
 public:
  // A null `sink` composes frames and shows none (preview tool, tests). The
  // sprite sheet is read from data_dir + "\icons.png" on each DrawPanel.
  QtPanelRenderer(FrameSink* sink, Text data_dir);

  // Loads the logo drawn at (390, logo_top, 40, 27); a file that is missing or
  // no image means no logo. Replaces an earlier logo.
  void LoadLogo(const Text& path);
  void DrawPanel(const PanelModel& model) override;
  // Hands ComposeFrame(logo_top) to the sink.
  void PresentPanel(int32_t logo_top) override;
  // Exactly the frame PresentPanel shows for `logo_top`: the window's
  // 450 x 140, the panel image at its top left, the rest transparent.
  QImage ComposeFrame(int32_t logo_top);
  // The size of the last skin that loaded, cut to the window's 450 x 140,
  // which is also the size while none ever has.
  int32_t PanelWidth() const { return canvas_.Size().width; }
  int32_t PanelHeight() const { return canvas_.Size().height; }

 private:
  void DrawPlainBackground(QPainter& painter) const;
  QImage MakeFrame(int32_t logo_top) const;

  FrameSink* sink_;
  Text icons_path_;
  QImage panel_image_;
  QImage logo_;
  PanelCanvas canvas_;
  // Frames already composed, by logo place, until the panel or the logo
  // changes: a shake tick only hands over a ready image.
  std::map<int32_t, QImage> frames_;
};

std::unique_ptr<QtPanelRenderer> MakeQtPanelRenderer(FrameSink* sink, Text data_dir);

// Widths of headings in the label font, Verdana 9.75 pt bold at 96 dots per
// inch, laid out on one line.
std::unique_ptr<HeadingMeasurer> MakeQtLabelFontMeasurer();

}  // namespace quorbel
