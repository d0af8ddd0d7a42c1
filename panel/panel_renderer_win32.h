#pragma once
// The reminder panel's renderer on a per-pixel-alpha (layered) window.
//
// Ownership: the renderer owns the composed panel image, the logo image and
// the window frames PresentPanel has composed. The images need GDI+: release
// them (ReleaseImages, or the destructor) while it is still started. The
// frames are plain GDI and may outlive GDI+.
#include <cstdint>
#include <memory>
#include <vector>

#include "common/text.h"
#include "panel/panel_layout.h"
#include "panel/panel_model.h"

namespace quorbel {

// One composed window frame: premultiplied ARGB, top row first.
struct FramePixels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int32_t x, int32_t y) const {
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
  }
};

class LayeredPanelRenderer : public PanelRenderer {
 public:
  // Loads the logo drawn at (390, logo_top, 40, 27); a file that is missing or
  // no image means no logo. Replaces an earlier logo.
  virtual void LoadLogo(const Text& path) = 0;
  // Disposes the panel image, then the logo; the kept frames stay until the
  // renderer goes.
  virtual void ReleaseImages() = 0;
  // The frame for `logo_top` composed from scratch, as PresentPanel composes
  // one it does not keep yet.
  virtual FramePixels ComposeFrame(int32_t logo_top) = 0;
  // The frame PresentPanel keeps for `logo_top`; empty while it keeps none.
  virtual FramePixels KeptFrame(int32_t logo_top) const = 0;
  // PanelWidth x PanelHeight: the size of the last skin that loaded, cut to
  // the window's 450 x 140, which is also the size while none ever has.
  virtual int32_t PanelWidth() const = 0;
  virtual int32_t PanelHeight() const = 0;
};

// `window` is the panel window's HWND; a null window gives a renderer that
// composes 450 x 140 frames and whose PresentPanel pushes nothing (preview
// tool, tests). `exe_dir` is the executable's directory as the system reports
// it; the sprite sheet is read from exe_dir + "\icons.png" on each DrawPanel.
std::unique_ptr<LayeredPanelRenderer> MakeLayeredPanelRenderer(void* window, Text exe_dir);

// Widths of headings in the label font, Verdana 9.75 pt bold, as GDI lays
// them out on one line.
std::unique_ptr<HeadingMeasurer> MakeLabelFontMeasurer();

}  // namespace quorbel
