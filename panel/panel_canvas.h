#pragma once
// The size of the composed panel image, and whether it gets the plain
// built-in background, from the skins DrawPanel has loaded so far.
#include <cstdint>
#include <optional>

#include "common/geometry.h"

namespace quorbel {

class PanelCanvas {
 public:
  // One DrawPanel's skin: its size when it loaded, nothing when it did not.
  void TakeSkin(std::optional<PixelSize> skin);
  // The last loaded skin's size cut to the window's 450 x 140, which is also
  // the size while no skin has ever loaded.
  PixelSize Size() const { return size_; }
  // No skin has loaded yet (no Config.ini, a skin file that was never
  // there): a reminder must still be readable, on a plain panel. Once one
  // has, a later missing skin keeps its size and draws on a clear image.
  bool Plain() const { return !skin_ever_loaded_; }

 private:
  PixelSize size_;
  bool skin_ever_loaded_ = false;
};

}  // namespace quorbel
