#include "panel/panel_compositor.h"

#include "common/scaled_picture.h"

namespace quorbel {

namespace {

struct LoadedSkin {
  ImagePtr picture;
  PixelSize logical;  // what it covers, in 96-dpi pixels
};

// The best file of the skin for `scale`, cut to the window: a larger one
// kept beside the skin where there is one, else the skin's own.
LoadedSkin LoadSkin(Painter& painter, const Text& path, const DisplayScale& scale) {
  const PixelSize window{kPanelWidth, kPanelHeight};
  for (const PictureFile& file : PictureFilesFor(path, scale)) {
    ImagePtr picture = painter.LoadCorner(file.path, PictureCorner(window, file.factor));
    if (!picture) continue;
    const PixelSize logical = LogicalSize(picture->Size(), file.factor);
    return {std::move(picture), logical};
  }
  return {};
}

}  // namespace

PanelCompositor::PanelCompositor(std::unique_ptr<Painter> painter,
                                 std::unique_ptr<FramePresenter> presenter, Text data_dir)
    : painter_(std::move(painter)),
      presenter_(std::move(presenter)),
      icons_path_(std::move(data_dir) + u"\\icons.png") {}

void PanelCompositor::LoadLogo(const Text& path) {
  logo_path_ = path;
  PlaceLogo();
}

// The logo (its larger file on a dense screen, where there is one) drawn
// once onto its place at the scale: a large picture is not kept, and every
// frame copies the logo unscaled.
void PanelCompositor::PlaceLogo() {
  frames_.Invalidate();
  logo_.reset();
  ImagePtr picture;
  for (const PictureFile& file : PictureFilesFor(logo_path_, scale_)) {
    picture = painter_->Load(file.path);
    if (picture) break;
  }
  if (!picture) return;
  const PixelSize size = scale_.Size({kLogoWidth, kLogoHeight});
  logo_ = painter_->Blank(size);
  if (logo_) painter_->Begin(*logo_, scale_.Factor())->DrawImage(*picture, {0, 0, size.width, size.height});
}

void PanelCompositor::SetScale(const DisplayScale& scale) {
  if (scale == scale_) return;
  scale_ = scale;
  frames_.Invalidate();
  if (!logo_path_.empty()) PlaceLogo();
  if (model_) Compose(*model_);
  if (presented_logo_top_) PresentPanel(*presented_logo_top_);
}

void PanelCompositor::ReleaseImages() {
  frames_.Invalidate();
  panel_image_.reset();
  logo_.reset();
  logo_path_.clear();
  model_.reset();
}

void PanelCompositor::Stow() {
  frames_.Release();
  panel_image_.reset();
  if (presenter_) presenter_->Forget();
  // A new scale has nothing to draw again until the panel is drawn anew.
  model_.reset();
  presented_logo_top_.reset();
}

void PanelCompositor::DrawPanel(const PanelModel& model) {
  model_ = model;
  Compose(model);
}

void PanelCompositor::Compose(const PanelModel& model) {
  frames_.Invalidate();
  const ImagePtr sprites = painter_->LoadCorner(icons_path_, kSpriteSheetUsed);
  // The window shows the skin's top-left 450 x 140 pixels, and keeps no more.
  const LoadedSkin skin = LoadSkin(*painter_, model.skin_path, scale_);
  canvas_.TakeSkin(skin.picture ? std::optional(skin.logical) : std::nullopt);
  const bool plain = !skin.picture && canvas_.Plain();
  // The old image goes first; if the new one cannot be made nothing is left
  // to draw from, and a frame shows only the logo.
  panel_image_.reset();
  panel_image_ = painter_->Blank(scale_.Size(canvas_.Size()));
  if (!panel_image_) return;

  const std::unique_ptr<Canvas> canvas = painter_->Begin(*panel_image_, scale_.Factor());
  if (skin.picture) canvas->DrawImage(*skin.picture, scale_.Rect({0, 0, skin.logical.width, skin.logical.height}));
  if (plain) DrawPlainBackground(*canvas);
  const PanelLayout layout = LayOutPanel(model, *painter_->LabelFontMeasurer(scale_.Factor()));
  for (const TextRow& row : layout.headings) canvas->DrawShadowText(row);
  canvas->DrawSectionIcons(icons_path_);
  canvas->DrawLevelBar(sprites.get(), layout.level_bar_x, model.alarm_level, 1.0F);
  for (const TextRow& row : layout.level_lines) canvas->DrawShadowText(row);
}

void PanelCompositor::PresentPanel(int32_t logo_top) {
  if (!presenter_) return;
  presented_logo_top_ = logo_top;
  const PixelSize size = FrameSize();
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
  return presenter_ ? presenter_->FrameSize(scale_) : scale_.Size({kPanelWidth, kPanelHeight});
}

void PanelCompositor::DrawPlainBackground(Canvas& canvas) const {
  canvas.Fill(scale_.Rect({0, 0, PanelWidth(), PanelHeight()}), kPlainBody);
  canvas.Fill(scale_.Rect({0, 0, PanelWidth(), kPlainTitleBand}), kPlainTitle);
}

// The panel image, the logo, and the panel's own pixels over the logo's
// lower edge.
void PanelCompositor::DrawFrame(PainterImage& frame, int32_t logo_top) const {
  const std::unique_ptr<Canvas> canvas = painter_->Begin(frame, scale_.Factor());
  if (panel_image_) {
    const PixelSize size = panel_image_->Size();
    canvas->DrawImage(*panel_image_, {0, 0, size.width, size.height});
  }
  if (logo_) {
    const PixelRect place = scale_.Rect({kLogoX, logo_top, kLogoWidth, kLogoHeight});
    const PixelSize size = logo_->Size();
    canvas->DrawImage(*logo_, {place.x, place.y, size.width, size.height});
  }
  if (panel_image_) canvas->DrawImagePart(*panel_image_, scale_.Rect(kLogoCover));
}

}  // namespace quorbel
