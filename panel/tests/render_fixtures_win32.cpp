#include "panel/tests/render_fixtures_win32.h"

#include <windows.h>
// psapi after windows.h
#include <psapi.h>

#include "common/handles_win32.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace quorbel::fixtures {

using namespace gdip;

namespace {

Text UniqueTempPath() {
  static int counter = 0;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  const std::string name = "quorbel-render-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++counter);
  return (base / name).u16string();
}

}  // namespace

size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters.PagefileUsage;
}

size_t GdiObjectsInUse() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  constexpr int kProbes = 2000;
  std::vector<unique_hbrush> probes;
  size_t highest_slot = 0;
  for (int probe = 0; probe < kProbes; ++probe) {
    probes.emplace_back(CreateSolidBrush(RGB(probe & 0xFF, 0, 0)));
    highest_slot = std::max<size_t>(highest_slot, LOWORD(reinterpret_cast<UINT_PTR>(probes.back().get())));
  }
  return highest_slot;
}

TempDir::TempDir() : path_(UniqueTempPath()) { std::filesystem::create_directories(path_); }

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at) {
  std::vector<Argb> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) pixels[static_cast<size_t>(y * width + x)] = colour_at(x, y);
  }
  GpBitmap* bitmap = nullptr;
  GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                            reinterpret_cast<BYTE*>(pixels.data()), &bitmap);
  const unique_image image(bitmap);
  return SavePng(image.get(), path);
}

bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour) {
  return WritePng(path, width, height, [colour](int32_t, int32_t) { return colour; });
}

bool WriteIconSheet(const Text& path) {
  return WritePng(path, 112, 16, [](int32_t x, int32_t) {
    const int32_t cell = x / kSpriteCell;
    return cell < 4 ? kIconColours[cell] : kBarColour;
  });
}

Canvas::Canvas(int32_t width, int32_t height)
    : width_(width), height_(height), image_(NewArgbImage(width, height)) {
  GdipGetImageGraphicsContext(image_.get(), graphics_.put());
}

Argb Canvas::Pixel(int32_t x, int32_t y) const {
  GdipFlush(graphics_.get(), FlushIntentionSync);
  ARGB colour = 0;
  GdipBitmapGetPixel(static_cast<GpBitmap*>(image_.get()), x, y, &colour);
  return colour;
}

}  // namespace quorbel::fixtures
