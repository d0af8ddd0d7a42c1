#include "tests/support/render_fixture_win32.h"

#include <windows.h>
// psapi after windows.h
#include <psapi.h>

#include <algorithm>
#include <vector>

#include "common/handles_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/painter_win32.h"
#include "panel/panel_renderer_win32.h"

namespace quorbel::fixtures {

using namespace gdip;

struct GraphicsSession::State {
  GdiplusSession gdiplus;
};

GraphicsSession::GraphicsSession() : state_(std::make_unique<State>()) {}
GraphicsSession::~GraphicsSession() = default;
bool GraphicsSession::Started() const { return state_->gdiplus.Started(); }

std::unique_ptr<Painter> MakePainter() { return std::make_unique<Win32Painter>(nullptr); }

std::unique_ptr<PanelCompositor> MakeSilentRenderer(Text data_dir) {
  return MakeLayeredPanelRenderer(nullptr, std::move(data_dir));
}

std::unique_ptr<HeadingMeasurer> MakeLabelMeasurer() { return MakeLabelFontMeasurer(); }

Argb Straight(uint32_t premultiplied) {
  const uint32_t alpha = premultiplied >> 24;
  if (alpha == 0) return 0;
  Argb straight = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = (premultiplied >> shift) & 0xFF;
    straight |= std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha) << shift;
  }
  return straight;
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

TestCanvas::TestCanvas(int32_t width, int32_t height)
    : width_(width), height_(height), image_(NewArgbImage(width, height)) {
  GdipGetImageGraphicsContext(image_.get(), graphics_.put());
}

Argb TestCanvas::Pixel(int32_t x, int32_t y) const {
  GdipFlush(graphics_.get(), FlushIntentionSync);
  ARGB colour = 0;
  GdipBitmapGetPixel(static_cast<GpBitmap*>(image_.get()), x, y, &colour);
  return colour;
}

}  // namespace quorbel::fixtures
