#include "panel/painter_qt.h"

#include <QFontMetricsF>
#include <QPainter>

#include "common/image_file_qt.h"
#include "panel/module1_qt.h"
#include "panel/panel_renderer_qt.h"

namespace quorbel {

namespace {

ImagePtr Wrap(QImage image) {
  if (image.isNull()) return nullptr;
  return std::make_unique<QtImage>(std::move(image));
}

const QImage& ImageOf(const PainterImage& image) { return static_cast<const QtImage&>(image).Image(); }

QRect ToQRect(PixelRect rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(PainterImage& target) : painter_(&static_cast<QtImage&>(target).Image()) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  }

  void DrawImage(const PainterImage& image, PixelRect to) override {
    painter_.drawImage(ToQRect(to), ImageOf(image));
  }
  void DrawImagePart(const PainterImage& image, PixelRect part) override {
    painter_.drawImage(QPoint(part.x, part.y), ImageOf(image), ToQRect(part));
  }
  void Fill(PixelRect rect, Argb colour) override {
    painter_.fillRect(ToQRect(rect), QColor::fromRgba(colour));
  }
  void DrawShadowText(const TextRow& row) override {
    quorbel::DrawShadowText(painter_, row.text, row.x, row.y, kPanelFont, row.size, row.colour,
                            row.style, row.shadow, row.width);
  }
  void DrawSectionIcons(const Text& icon_file) override {
    quorbel::DrawSectionIcons(painter_, icon_file);
  }
  void DrawLevelBar(const PainterImage* sprites, int32_t x, int32_t level,
                    float opacity) override {
    quorbel::DrawLevelBar(painter_, sprites ? ImageOf(*sprites) : QImage(), x, level, opacity);
  }

 private:
  QPainter painter_;
};

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

}  // namespace

ImagePtr QtPainter::Load(const Text& path) { return Wrap(LoadImageWithinBudget(path)); }

ImagePtr QtPainter::LoadCorner(const Text& path, PixelSize corner) {
  return Wrap(LoadImageCorner(path, corner));
}

ImagePtr QtPainter::Blank(PixelSize size) {
  QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
  if (!image.isNull()) image.fill(Qt::transparent);
  return Wrap(std::move(image));
}

void QtPainter::Clear(PainterImage& frame) {
  static_cast<QtImage&>(frame).Image().fill(Qt::transparent);
}

std::unique_ptr<Canvas> QtPainter::Begin(PainterImage& target) {
  return std::make_unique<QtCanvas>(target);
}

FramePixels QtPainter::Pixels(const PainterImage& image) const {
  return ToFramePixels(ImageOf(image));
}

std::unique_ptr<HeadingMeasurer> QtPainter::LabelFontMeasurer() const {
  return MakeQtLabelFontMeasurer();
}

FramePixels ToFramePixels(const QImage& frame) {
  const QImage pixels = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  FramePixels out{pixels.width(), pixels.height(), {}};
  out.pixels.reserve(static_cast<size_t>(pixels.width()) * static_cast<size_t>(pixels.height()));
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(pixels.constScanLine(y));
    out.pixels.insert(out.pixels.end(), line, line + pixels.width());
  }
  return out;
}

std::unique_ptr<HeadingMeasurer> MakeQtLabelFontMeasurer() {
  return std::make_unique<QtLabelFontMeasurer>();
}

}  // namespace quorbel
