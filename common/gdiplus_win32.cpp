#include "common/gdiplus_win32.h"

namespace quorbel::gdip {

namespace {

// The PNG encoder every GDI+ ships under this fixed class id.
constexpr CLSID kPngEncoder{0x557CF406, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

}  // namespace

unique_image LoadImageFile(const Text& path) {
  unique_image image;
  GdipLoadImageFromFile(Wide(path), image.put());
  return image;
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
