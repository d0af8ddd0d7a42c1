#pragma once
// The size of the composed panel image, and whether it gets the plain
// built-in background, from the skins DrawPanel has loaded so far.
#include <cstdint>
#include <optional>

#include "common/geometry.h"
#include "panel/module1.h"

namespace quorbel {

// The plain built-in panel: a dark body under a light title band, both a
// little translucent, so dark text on the band and white text below read.
inline constexpr Argb kPlainBody = 0xF0243444;   // MakeArgb(240, 36, 52, 68)
inline constexpr Argb kPlainTitle = 0xF0E2EAF0;  // MakeArgb(240, 226, 234, 240)
inline constexpr int32_t kPlainTitleBand = 24;

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
