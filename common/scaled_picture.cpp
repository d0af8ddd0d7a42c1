#include "common/scaled_picture.h"

namespace quorbel {

namespace {

int32_t CeilDiv(int32_t value, int32_t by) { return value <= 0 ? 0 : (value + by - 1) / by; }

}  // namespace

Text HighResolutionPath(const Text& path) {
  if (path.empty()) return {};
  const size_t name = path.find_last_of(u"\\/");
  const size_t dot = path.rfind(u'.');
  const bool has_extension =
      dot != Text::npos && (name == Text::npos || dot > name + 1) && dot != 0;
  if (!has_extension) return path + u"@2x";
  return path.substr(0, dot) + u"@2x" + path.substr(dot);
}

std::vector<PictureFile> PictureFilesFor(const Text& path, const DisplayScale& scale) {
  std::vector<PictureFile> files;
  if (scale.Factor() > 1.0 && !path.empty()) {
    files.push_back({HighResolutionPath(path), kHighResolutionFactor});
  }
  files.push_back({path, 1});
  return files;
}

PixelSize PictureCorner(PixelSize logical_area, int32_t factor) {
  return {logical_area.width * factor, logical_area.height * factor};
}

PixelSize LogicalSize(PixelSize picture, int32_t factor) {
  if (factor <= 1) return picture;
  return {CeilDiv(picture.width, factor), CeilDiv(picture.height, factor)};
}

}  // namespace quorbel
