#include "panel/panel_compositor.h"

#include <optional>

namespace quorbel {

namespace {

// The logo drawn once onto its 40 x 27 place, as a frame draws it: a large
// picture is not kept, and every frame copies the logo unscaled.
ImagePtr LogoAtItsPlace(Painter& painter, const ImagePtr& logo) {
  if (!logo) return nullptr;
  ImagePtr placed = painter.Blank({kLogoWidth, kLogoHeight});
  if (!placed) return nullptr;
  painter.Begin(*placed)->DrawImage(*logo, {0, 0, kLogoWidth, kLogoHeight});
  return placed;
}

}  // namespace

PanelCompositor::PanelCompositor(std::unique_ptr<Painter> painter,
                                 std::unique_ptr<FramePresenter> presenter, Text data_dir)
    : painter_(std::move(painter)),
      presenter_(std::move(presenter)),
      icons_path_(std::move(data_dir) + u"\\icons.png") {}

void PanelCompositor::LoadLogo(const Text& path) {
  frames_.Invalidate();
  logo_ = LogoAtItsPlace(*painter_, painter_->Load(path));
}

void PanelCompositor::ReleaseImages() {
  frames_.Invalidate();
  panel_image_.reset();
  logo_.reset();
}

void PanelCompositor::DrawPanel(const PanelModel& model) {
  frames_.Invalidate();
  const ImagePtr sprites = painter_->LoadCorner(icons_path_, kSpriteSheetUsed);
  // The window shows the skin's top-left 450 x 140 pixels, and keeps no more.
  const ImagePtr skin = painter_->LoadCorner(model.skin_path, {kPanelWidth, kPanelHeight});
  canvas_.TakeSkin(skin ? std::optional(skin->Size()) : std::nullopt);
  const bool plain = !skin && canvas_.Plain();
  // The old image goes first; if the new one cannot be made nothing is left
  // to draw from, and a frame shows only the logo.
  panel_image_.reset();
  panel_image_ = painter_->Blank(canvas_.Size());
  if (!panel_image_) return;

  const std::unique_ptr<Canvas> canvas = painter_->Begin(*panel_image_);
  if (skin) canvas->DrawImage(*skin, {0, 0, skin->Size().width, skin->Size().height});
  if (plain) DrawPlainBackground(*canvas);
  const PanelLayout layout = LayOutPanel(model, *painter_->LabelFontMeasurer());
  for (const TextRow& row : layout.headings) canvas->DrawShadowText(row);
  canvas->DrawSectionIcons(icons_path_);
  canvas->DrawLevelBar(sprites.get(), layout.level_bar_x, model.alarm_level, 1.0F);
  for (const TextRow& row : layout.level_lines) canvas->DrawShadowText(row);
}

void PanelCompositor::PresentPanel(int32_t logo_top) {
  if (!presenter_) return;
  const PixelSize size = presenter_->FrameSize();
  const PainterImage* frame = frames_.Find(logo_top, size);
  if (!frame) {
    PainterImage* fresh = frames_.Take(logo_top, size, *painter_);
    if (!fresh) return;
    DrawFrame(*fresh, logo_top);
    frame = fresh;
  }
  presenter_->Show(*frame, frames_);
}

FramePixels PanelCompositor::ComposeFrame(int32_t logo_top) {
  const ImagePtr frame = painter_->BlankFrame(FrameSize());
  if (!frame) return {};
  DrawFrame(*frame, logo_top);
  return painter_->Pixels(*frame);
}

FramePixels PanelCompositor::KeptFrame(int32_t logo_top) const {
  const PainterImage* frame = frames_.Find(logo_top, FrameSize());
  return frame ? painter_->Pixels(*frame) : FramePixels{};
}

PixelSize PanelCompositor::FrameSize() const {
  return presenter_ ? presenter_->FrameSize() : PixelSize{kPanelWidth, kPanelHeight};
}

void PanelCompositor::DrawPlainBackground(Canvas& canvas) const {
  canvas.Fill({0, 0, PanelWidth(), PanelHeight()}, kPlainBody);
  canvas.Fill({0, 0, PanelWidth(), kPlainTitleBand}, kPlainTitle);
}

// The panel image, the logo, and the panel's own pixels over the logo's
// lower edge.
void PanelCompositor::DrawFrame(PainterImage& frame, int32_t logo_top) const {
  const std::unique_ptr<Canvas> canvas = painter_->Begin(frame);
  if (panel_image_) {
    const PixelSize size = panel_image_->Size();
    canvas->DrawImage(*panel_image_, {0, 0, size.width, size.height});
  }
  if (logo_) canvas->DrawImage(*logo_, {kLogoX, logo_top, kLogoWidth, kLogoHeight});
  if (panel_image_) canvas->DrawImagePart(*panel_image_, kLogoCover);
}

}  // namespace quorbel
