#pragma once
// The reminder panel composed once for every platform: DrawPanel paints the
// panel image through a painter, PresentPanel composes the window's frame
// (panel, logo, cover) and hands it to a presenter.
//
// Ownership: the compositor owns the panel image, the logo image and the
// frames PresentPanel has composed. Release the images (ReleaseImages, or
// the destructor) while the painter's graphics library still runs; the
// frames may outlive it.
#include <cstdint>
#include <memory>
#include <optional>

#include "common/display_scale.h"
#include "common/text.h"
#include "panel/frame_cache.h"
#include "panel/frame_pixels.h"
#include "panel/painter.h"
#include "panel/panel_canvas.h"
#include "panel/panel_model.h"

namespace quorbel {

// Whatever puts a composed frame on the screen.
class FramePresenter {
 public:
  virtual ~FramePresenter() = default;
  // The frames it shows at `scale` are this big, in device pixels.
  virtual PixelSize FrameSize(const DisplayScale& scale) const = 0;
  // Shows `frame`; `frames` holds it and knows what the screen shows now.
  virtual void Show(const PainterImage& frame, FrameCache& frames) = 0;
  // Lets go of any frame it keeps; the window stays as it is.
  virtual void Forget() = 0;
};

class PanelCompositor : public PanelRenderer {
 public:
  // A null `presenter` composes 450 x 140 frames and shows none (preview
  // tool, tests). The sprite sheet is read from data_dir + "\icons.png" on
  // each DrawPanel.
  PanelCompositor(std::unique_ptr<Painter> painter, std::unique_ptr<FramePresenter> presenter,
                  Text data_dir);

  // Loads the logo drawn at (390, logo_top, 40, 27); a file that is missing or
  // no image means no logo. Replaces an earlier logo.
  void LoadLogo(const Text& path);
  // The screen's scale; all figures stay logical. A new scale draws the
  // panel and the logo anew for it, and presents again what was presented.
  void SetScale(const DisplayScale& scale);
  const DisplayScale& Scale() const { return scale_; }
  // Disposes the panel image, then the logo; the kept frames stay until the
  // compositor goes.
  void ReleaseImages();
  void DrawPanel(const PanelModel& model) override;
  void PresentPanel(int32_t logo_top) override;
  // Frees the panel image and every frame; the logo stays.
  void Stow() override;
  // The frame for `logo_top` composed from scratch, as PresentPanel composes
  // one it does not keep yet.
  FramePixels ComposeFrame(int32_t logo_top);
  // The frame PresentPanel keeps for `logo_top`; empty while it keeps none.
  FramePixels KeptFrame(int32_t logo_top) const;
  // The logical size of the last skin that loaded, cut to the window's
  // 450 x 140, which is also the size while none ever has.
  int32_t PanelWidth() const { return canvas_.Size().width; }
  int32_t PanelHeight() const { return canvas_.Size().height; }

 private:
  PixelSize FrameSize() const;
  void Compose(const PanelModel& model);
  void PlaceLogo();
  void DrawPlainBackground(Canvas& canvas) const;
  void DrawFrame(PainterImage& frame, int32_t logo_top) const;

  std::unique_ptr<Painter> painter_;
  std::unique_ptr<FramePresenter> presenter_;
  Text icons_path_;
  FrameCache frames_;
  ImagePtr panel_image_;
  ImagePtr logo_;
  PanelCanvas canvas_;
  DisplayScale scale_;
  // What a new scale draws again.
  Text logo_path_;
  std::optional<PanelModel> model_;
  std::optional<int32_t> presented_logo_top_;
};

}  // namespace quorbel
