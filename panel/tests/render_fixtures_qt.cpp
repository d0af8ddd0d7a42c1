#include "panel/tests/render_fixtures_qt.h"

#include <unistd.h>

#include <filesystem>
#include <string>

#include "common/native_path.h"

namespace quorbel::fixtures {

namespace {

Text UniqueTempPath() {
  static int counter = 0;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  const std::string name =
      "quorbel-render-qt-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
  return (base / name).u16string();
}

QString Native(const Text& path) { return QString::fromStdU16String(SlashPath(path)); }

}  // namespace

TempDir::TempDir() : path_(UniqueTempPath()) { std::filesystem::create_directories(path_); }

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at) {
  QImage image(width, height, QImage::Format_ARGB32);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) image.setPixel(x, y, colour_at(x, y));
  }
  return image.save(Native(path), "PNG");
}

bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour) {
  QImage image(width, height, QImage::Format_ARGB32);
  image.fill(QColor::fromRgba(colour));
  return image.save(Native(path), "PNG");
}

bool WriteIconSheet(const Text& path) {
  return WritePng(path, 112, 16, [](int32_t x, int32_t) {
    const int32_t cell = x / kSpriteCell;
    return cell < 4 ? kIconColours[cell] : kBarColour;
  });
}

QImage LoadPng(const Text& path) { return QImage(Native(path)); }

QImage Canvas(int32_t width, int32_t height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

}  // namespace quorbel::fixtures
