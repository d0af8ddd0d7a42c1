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

// Images in the target's pixels; Module1's routines under a scale, so Qt
// lays texts out in logical units and rasterises their glyphs at the
// target's density.
class QtCanvas : public Canvas {
 public:
  QtCanvas(PainterImage& target, double scale)
      : painter_(&static_cast<QtImage&>(target).Image()), scale_(scale) {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
  }

  void DrawImage(const PainterImage& image, PixelRect to) override {
    const QImage& source = ImageOf(image);
    const QSize size(to.width, to.height);
    if (source.size() == size) {
      painter_.drawImage(QPoint(to.x, to.y), source);
      return;
    }
    // Qt's smooth scaling averages every source pixel when shrinking, which
    // the painter's bilinear sampling does not.
    painter_.drawImage(QPoint(to.x, to.y),
                       source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  }
  void DrawImagePart(const PainterImage& image, PixelRect part) override {
    painter_.drawImage(QPoint(part.x, part.y), ImageOf(image), ToQRect(part));
  }
  void Fill(PixelRect rect, Argb colour) override {
    painter_.fillRect(ToQRect(rect), QColor::fromRgba(colour));
  }
  void DrawShadowText(const TextRow& row) override {
    const Scaled scaled(painter_, scale_);
    quorbel::DrawShadowText(painter_, row.text, row.x, row.y, kPanelFont, row.size, row.colour,
                            row.style, row.shadow, row.width);
  }
  void DrawSectionIcons(const Text& icon_file) override {
    const Scaled scaled(painter_, scale_);
    quorbel::DrawSectionIcons(painter_, icon_file);
  }
  void DrawLevelBar(const PainterImage* sprites, int32_t x, int32_t level,
                    float opacity) override {
    const Scaled scaled(painter_, scale_);
    quorbel::DrawLevelBar(painter_, sprites ? ImageOf(*sprites) : QImage(), x, level, opacity);
  }

 private:
  // The painter at the canvas's scale while the object lives.
  class Scaled {
   public:
    Scaled(QPainter& painter, double scale) : painter_(painter) {
      painter_.save();
      painter_.scale(scale, scale);
    }
    Scaled(const Scaled&) = delete;
    Scaled& operator=(const Scaled&) = delete;
    ~Scaled() { painter_.restore(); }

   private:
    QPainter& painter_;
  };

  QPainter painter_;
  double scale_;
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

std::unique_ptr<Canvas> QtPainter::Begin(PainterImage& target, double scale) {
  return std::make_unique<QtCanvas>(target, scale);
}

FramePixels QtPainter::Pixels(const PainterImage& image) const {
  return ToFramePixels(ImageOf(image));
}

// Qt lays texts out in logical pixels at any scale and only rasterises them
// at it: one measure fits all.
std::unique_ptr<HeadingMeasurer> QtPainter::LabelFontMeasurer(double) const {
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
