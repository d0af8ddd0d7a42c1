#include "common/image_file_qt.h"

#include <unistd.h>

#include <QFile>
#include <QImageReader>
#include <filesystem>
#include <optional>
#include <vector>

#include "common/image_header.h"
#include "common/native_path.h"
#include "common/regular_file_posix.h"

namespace quorbel {

namespace {

std::vector<uint8_t> ReadHead(int file) {
  std::vector<uint8_t> head(kImageHeadBytes);
  std::size_t filled = 0;
  while (filled < head.size()) {
    const ssize_t got = ::pread(file, head.data() + filled, head.size() - filled, static_cast<off_t>(filled));
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  head.resize(filled);
  return head;
}

// The reader's own header query, for the formats the portable reader does
// not know (Qt reads more than PNG, JPEG, BMP and GIF).
bool ReaderSizeFits(QImageReader& reader) {
  const QSize size = reader.size();
  return size.isValid() && FitsPixelBudget(PixelSize{size.width(), size.height()});
}

// Qt's name of a format the header reader knows, or empty.
QByteArray QtFormatName(ImageFormat format) {
  switch (format) {
    case ImageFormat::Png: return "png";
    case ImageFormat::Jpeg: return "jpeg";
    case ImageFormat::Bmp: return "bmp";
    case ImageFormat::Gif: return "gif";
    case ImageFormat::Other: break;
  }
  return {};
}

// A reader told the format: Qt then loads no image plugin but that
// format's, where guessing would load and ask every one it has.
void NameFormat(QImageReader& reader, ImageFormat format) {
  const QByteArray name = QtFormatName(format);
  if (name.isEmpty()) return;
  reader.setFormat(name);
  reader.setAutoDetectImageFormat(false);
}

std::optional<QImage> Decode(const Text& path) {
  const unique_fd file = OpenRegularFile(std::filesystem::path(SlashPath(path)));
  if (!file) return std::nullopt;
  const ImageJudgement judgement = JudgeImageHead(ReadHead(file.get()));
  if (judgement.verdict == ImageVerdict::Refused) return std::nullopt;
  QFile device;
  if (!device.open(file.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle)) return std::nullopt;
  QImageReader reader(&device);
  NameFormat(reader, judgement.format);
  if (judgement.verdict == ImageVerdict::Unknown && !ReaderSizeFits(reader)) return std::nullopt;
  QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace

QImage LoadImageWithinBudget(const Text& path) { return Decode(path).value_or(QImage()); }

QImage LoadImageCorner(const Text& path, PixelSize corner) {
  const std::optional<QImage> image = Decode(path);
  if (!image) return QImage();
  const PixelSize size{image->width(), image->height()};
  const PixelSize kept = CornerToKeep(size, corner);
  return kept == size ? *image : image->copy(0, 0, kept.width, kept.height);
}

}  // namespace quorbel
