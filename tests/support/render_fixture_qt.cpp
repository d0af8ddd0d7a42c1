#include "tests/support/render_fixture_qt.h"

#include "common/native_path.h"
#include "panel/painter_qt.h"
#include "panel/panel_renderer_qt.h"

namespace quorbel::fixtures {

namespace {

QString Native(const Text& path) { return QString::fromStdU16String(SlashPath(path)); }

}  // namespace

// The tests' main starts the GUI application that text drawing needs.
struct GraphicsSession::State {};

GraphicsSession::GraphicsSession() = default;
GraphicsSession::~GraphicsSession() = default;
bool GraphicsSession::Started() const { return true; }

std::unique_ptr<Painter> MakePainter() { return std::make_unique<QtPainter>(); }

std::unique_ptr<PanelCompositor> MakeSilentRenderer(Text data_dir) {
  return MakeQtPanelRenderer(nullptr, std::move(data_dir));
}

std::unique_ptr<HeadingMeasurer> MakeLabelMeasurer() { return MakeQtLabelFontMeasurer(); }

Argb Straight(uint32_t premultiplied) { return qUnpremultiply(premultiplied); }

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) image.setPixel(x, y, colour_at(x, y));
  }
  return image.save(Native(path), "PNG");
}

QImage LoadPng(const Text& path) { return QImage(Native(path)); }

QImage TestCanvas(int32_t width, int32_t height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace quorbel::fixtures
