#pragma once
// The panel's painter over QPainter: every image, frames included, is a
// premultiplied 32-bit QImage.
#include <QImage>
#include <memory>

#include "panel/painter.h"

namespace quorbel {

class QtImage : public PainterImage {
 public:
  explicit QtImage(QImage image) : image_(std::move(image)) {}
  PixelSize Size() const override { return {image_.width(), image_.height()}; }
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};

class QtPainter : public Painter {
 public:
  ImagePtr Load(const Text& path) override;
  ImagePtr LoadCorner(const Text& path, PixelSize corner) override;
  ImagePtr Blank(PixelSize size) override;
  ImagePtr BlankFrame(PixelSize size) override { return Blank(size); }
  void Clear(PainterImage& frame) override;
  std::unique_ptr<Canvas> Begin(PainterImage& target, double scale) override;
  FramePixels Pixels(const PainterImage& image) const override;
  std::unique_ptr<HeadingMeasurer> LabelFontMeasurer(double scale) const override;
};

// A frame's pixels in the order the sink shows them.
FramePixels ToFramePixels(const QImage& frame);

}  // namespace quorbel
