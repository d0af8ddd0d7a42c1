#pragma once
// The reminder panel on Linux: the portable compositor over the QPainter
// painter, handing each frame to the window that shows it.
#include <QImage>
#include <memory>
#include <optional>

#include "common/text.h"
#include "panel/frame_pixels.h"
#include "panel/panel_compositor.h"
#include "panel/panel_layout.h"

namespace quorbel {

// Whatever puts a composed frame on the screen: the panel window.
class FrameSink {
 public:
  virtual ~FrameSink() = default;
  // `frame` is the 450 x 140 panel in the window's device pixels,
  // premultiplied ARGB; transparent pixels show what lies behind the window.
  // `change` is where it differs from the frame shown before, in the frame's
  // pixels (empty: nowhere); nothing means everywhere.
  virtual void ShowFrame(const QImage& frame, std::optional<PixelRect> change) = 0;
  // Lets go of the frame without changing what the window shows.
  virtual void ForgetFrame() = 0;
};

using QtPanelRenderer = PanelCompositor;

// A null `sink` composes frames and shows none (preview tool, tests). The
// sprite sheet is read from data_dir + "\icons.png" on each DrawPanel.
std::unique_ptr<QtPanelRenderer> MakeQtPanelRenderer(FrameSink* sink, Text data_dir);

// Widths of headings in the label font, Verdana 9.75 pt bold at 96 dots per
// inch, laid out on one line.
std::unique_ptr<HeadingMeasurer> MakeQtLabelFontMeasurer();

}  // namespace quorbel
