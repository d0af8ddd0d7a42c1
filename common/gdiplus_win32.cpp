#include "common/gdiplus_win32.h"

#include <vector>

#include "common/image_header.h"

namespace quorbel::gdip {

namespace {

// The PNG encoder every GDI+ ships under this fixed class id.
constexpr CLSID kPngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

struct StreamReleaser {
  void operator()(IStream* stream) const { stream->Release(); }
};
using unique_stream = UniqueHandle<IStream*, StreamReleaser>;

std::vector<uint8_t> ReadHead(IStream* stream) {
  std::vector<uint8_t> head(kImageHeadBytes);
  std::size_t filled = 0;
  while (filled < head.size()) {
    ULONG got = 0;
    const HRESULT read = stream->Read(head.data() + filled, static_cast<ULONG>(head.size() - filled), &got);
    if (FAILED(read) || got == 0) break;
    filled += got;
  }
  head.resize(filled);
  return head;
}

PixelSize ImageSize(GpImage* image) {
  UINT width = 0;
  UINT height = 0;
  GdipGetImageWidth(image, &width);
  GdipGetImageHeight(image, &height);
  return PixelSize{static_cast<int32_t>(width), static_cast<int32_t>(height)};
}

}  // namespace

// GDI+ opens the file as it would to load it; the decoder then reads the
// same stream from its start.
unique_image LoadImageFile(const Text& path) {
  unique_stream stream;
  if (GdipCreateStreamOnFile(Wide(path), GENERIC_READ, stream.put()) != Ok) return {};
  if (JudgeImageHead(ReadHead(stream.get())).verdict != ImageVerdict::Fits) return {};
  if (FAILED(stream.get()->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) return {};
  unique_image image;
  GdipLoadImageFromStream(stream.get(), image.put());
  return image;
}

unique_image LoadImageCorner(const Text& path, PixelSize corner) {
  unique_image image = LoadImageFile(path);
  ImageType type = ImageTypeUnknown;
  if (!image || GdipGetImageType(image.get(), &type) != Ok || type != ImageTypeBitmap) return {};
  const PixelSize size = ImageSize(image.get());
  const PixelSize kept = CornerToKeep(size, corner);
  if (kept == size) return image;
  PixelFormat format = PixelFormat32bppARGB;
  GdipGetImagePixelFormat(image.get(), &format);
  GpBitmap* copy = nullptr;
  GdipCloneBitmapAreaI(0, 0, kept.width, kept.height, format, static_cast<GpBitmap*>(image.get()), &copy);
  return unique_image(copy);
}

unique_image NewArgbImage(int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) return {};
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
  return unique_image(bitmap);
}

bool SavePng(GpImage* image, const Text& path) {
  return image && GdipSaveImageToFile(image, Wide(path), &kPngEncoder, nullptr) == Ok;
}

}  // namespace quorbel::gdip
