#pragma once
// Picture1, the viewport on the strip of skin thumbnails, and HScroll1 under
// it, as Qt widgets. Thumbnails load through QImage (BMP, GIF, JPEG and PNG,
// within the pixel budget) and carry the selection mark and light band
// SkinPicker describes. The viewport takes the keyboard focus: the arrow
// keys go to the dialog, which moves the selection. To assistive technology
// it is a list of thumbnails named "Skin N".
#include <functional>
#include <memory>
#include <vector>

#include "common/text.h"
#include "dialog/skin_picker.h"

class QScrollBar;
class QWidget;

namespace quorbel {

class QtSkinPicker {
 public:
  using ClickHandler = std::function<void(int)>;
  using KeyHandler = std::function<void(StripKey)>;

  // Creates the viewport and the scroll bar on `dialog` at their places.
  QtSkinPicker(QWidget& dialog, const SkinPicker& picker, ClickHandler on_click, KeyHandler on_key);
  QtSkinPicker(const QtSkinPicker&) = delete;
  QtSkinPicker& operator=(const QtSkinPicker&) = delete;
  ~QtSkinPicker();

  // One thumbnail per path ("\" or "/" separated); a picture that cannot be
  // loaded leaves its thumbnail plain.
  void Build(const std::vector<Text>& thumbnail_paths);
  void Redraw(int index);
  // Scrolls the thumbnail into view and reports it selected and focused.
  void Reveal(int index);

  QWidget& Viewport() const;
  QScrollBar& ScrollBar() const;

 private:
  class StripView;
  std::unique_ptr<StripView> viewport_;
  std::unique_ptr<QScrollBar> scroll_bar_;
};

}  // namespace quorbel
