#include "panel/panel_canvas.h"

#include <algorithm>

#include "panel/panel_layout.h"

namespace quorbel {

void PanelCanvas::TakeSkin(std::optional<PixelSize> skin) {
  if (skin) {
    skin_ever_loaded_ = true;
    // A larger skin is cut at the window, so a huge image costs no more
    // memory than the window can show.
    size_ = PixelSize{std::min(skin->width, kPanelWidth), std::min(skin->height, kPanelHeight)};
  } else if (!skin_ever_loaded_) {
    size_ = PixelSize{kPanelWidth, kPanelHeight};
  }
}

}  // namespace quorbel
