#pragma once
// The reminder panel on a per-pixel-alpha (layered) window: the portable
// compositor over the GDI+ painter, presenting with UpdateLayeredWindow.
//
// Ownership: the renderer owns the composed panel image, the logo image and
// the window frames PresentPanel has composed. The images need GDI+: release
// them (ReleaseImages, or the destructor) while it is still started. The
// frames are plain GDI and may outlive GDI+.
#include <memory>

#include "common/text.h"
#include "panel/frame_pixels.h"
#include "panel/panel_compositor.h"
#include "panel/panel_layout.h"

namespace quorbel {

using LayeredPanelRenderer = PanelCompositor;

// `window` is the panel window's HWND; a null window gives a renderer that
// composes 450 x 140 frames and whose PresentPanel pushes nothing (preview
// tool, tests). `exe_dir` is the executable's directory as the system reports
// it; the sprite sheet is read from exe_dir + "\icons.png" on each DrawPanel.
std::unique_ptr<LayeredPanelRenderer> MakeLayeredPanelRenderer(void* window, Text exe_dir);

// Widths of headings in the label font, Verdana 9.75 pt bold, as GDI lays
// them out on one line.
std::unique_ptr<HeadingMeasurer> MakeLabelFontMeasurer();

}  // namespace quorbel
