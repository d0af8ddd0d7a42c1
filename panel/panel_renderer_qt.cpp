#include "panel/panel_renderer_qt.h"

#include <QFontMetricsF>
#include <QPainter>
#include <optional>

#include "common/native_path.h"
#include "common/regular_file.h"
#include "panel/module1_qt.h"

namespace quorbel {

namespace {

// The shake alternates between two logo places.
constexpr size_t kCachedFrames = 2;

// Only a regular file is opened: a FIFO in an image's place would hold the
// program up until something wrote to it.
QImage LoadImageFile(const Text& path) {
  const Text file = SlashPath(path);
  if (!IsReadableFile(std::filesystem::path(file))) return QImage();
  return QImage(QString::fromStdU16String(file));
}

QImage TransparentImage(int32_t width, int32_t height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  if (!image.isNull()) image.fill(Qt::transparent);
  return image;
}

class QtLabelFontMeasurer : public HeadingMeasurer {
 public:
  QtLabelFontMeasurer()
      : device_(1, 1, QImage::Format_ARGB32_Premultiplied),
        metrics_(PanelFont(device_, kPanelFont, kLabelFontCentipoints / 100.0F, FontStyle::Bold),
                 &device_) {}

  float Width(TextView heading) override {
    if (heading.empty()) return 0.0F;
    const QString text = QString::fromUtf16(heading.data(), static_cast<qsizetype>(heading.size()));
    return static_cast<float>(metrics_.horizontalAdvance(text));
  }

 private:
  QImage device_;  // the metrics' dots per inch
  QFontMetricsF metrics_;
};

void Draw(QPainter& painter, const TextRow& row) {
  DrawShadowText(painter, row.text, row.x, row.y, kPanelFont, row.size, row.colour, row.style,
                 row.shadow, row.width);
}

}  // namespace

QtPanelRenderer::QtPanelRenderer(FrameSink* sink, Text data_dir)
    : sink_(sink), icons_path_(std::move(data_dir) + u"\\icons.png") {}

void QtPanelRenderer::LoadLogo(const Text& path) {
  frames_.clear();
  logo_ = LoadImageFile(path);
}

void QtPanelRenderer::DrawPanel(const PanelModel& model) {
  frames_.clear();
  const QImage sprites = LoadImageFile(icons_path_);
  const QImage skin = LoadImageFile(model.skin_path);
  canvas_.TakeSkin(skin.isNull() ? std::nullopt
                                 : std::optional(PixelSize{skin.width(), skin.height()}));
  const bool plain = skin.isNull() && canvas_.Plain();
  // The old image goes first; if the new one cannot be made nothing is left
  // to draw from, and a frame shows only the logo.
  panel_image_ = QImage();
  panel_image_ = TransparentImage(PanelWidth(), PanelHeight());
  if (panel_image_.isNull()) return;

  QPainter painter(&panel_image_);
  painter.setRenderHint(QPainter::Antialiasing);
  if (!skin.isNull()) painter.drawImage(QPoint(0, 0), skin);
  if (plain) DrawPlainBackground(painter);
  const PanelLayout layout = LayOutPanel(model, *MakeQtLabelFontMeasurer());
  for (const TextRow& row : layout.headings) Draw(painter, row);
  DrawSectionIcons(painter, icons_path_);
  DrawLevelBar(painter, sprites, layout.level_bar_x, model.alarm_level, 1.0F);
  for (const TextRow& row : layout.level_lines) Draw(painter, row);
}

void QtPanelRenderer::PresentPanel(int32_t logo_top) {
  if (sink_ != nullptr) sink_->ShowFrame(ComposeFrame(logo_top));
}

QImage QtPanelRenderer::ComposeFrame(int32_t logo_top) {
  const auto found = frames_.find(logo_top);
  if (found != frames_.end()) return found->second;
  if (frames_.size() >= kCachedFrames) frames_.clear();
  return frames_.emplace(logo_top, MakeFrame(logo_top)).first->second;
}

void QtPanelRenderer::DrawPlainBackground(QPainter& painter) const {
  painter.fillRect(0, 0, PanelWidth(), PanelHeight(), QColor::fromRgba(kPlainBody));
  painter.fillRect(0, 0, PanelWidth(), kPlainTitleBand, QColor::fromRgba(kPlainTitle));
}

// The panel image, the logo, and the panel's own pixels over the logo's
// lower edge.
QImage QtPanelRenderer::MakeFrame(int32_t logo_top) const {
  QImage frame = TransparentImage(kPanelWidth, kPanelHeight);
  if (frame.isNull()) return frame;
  {
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!panel_image_.isNull()) painter.drawImage(QPoint(0, 0), panel_image_);
    if (!logo_.isNull()) {
      painter.drawImage(QRect(kLogoX, logo_top, kLogoWidth, kLogoHeight), logo_);
    }
    if (!panel_image_.isNull()) {
      const PixelRect& c = kLogoCover;
      painter.drawImage(QPoint(c.x, c.y), panel_image_, QRect(c.x, c.y, c.width, c.height));
    }
  }
  return frame;
}

std::unique_ptr<QtPanelRenderer> MakeQtPanelRenderer(FrameSink* sink, Text data_dir) {
  return std::make_unique<QtPanelRenderer>(sink, std::move(data_dir));
}

std::unique_ptr<HeadingMeasurer> MakeQtLabelFontMeasurer() {
  return std::make_unique<QtLabelFontMeasurer>();
}

}  // namespace quorbel
