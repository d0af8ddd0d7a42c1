// QuorbelBench: figures of DrawPanel and PresentPanel on a real layered
// window, with generated skin, sprites and logo, one `name value` line each.
// PresentPanel is timed beside two references measured in the same run: the
// composition every call did before frames were kept, and the floor of any
// present (top-most plus one full-frame layered update from a ready context).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "common/gdiplus_win32.h"
#include "common/handles_win32.h"
#include "panel/frame_surface_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "tests/support/render_fixture_win32.h"

namespace quorbel {
namespace {

using namespace gdip;

constexpr int kDrawRuns = 300;
constexpr int kBlocks = 10;
constexpr int kBlockRuns = 60;  // kBlocks x kBlockRuns presents of each kind

void DispatchPending() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

double Milliseconds(const std::function<void()>& work) {
  LARGE_INTEGER frequency;
  LARGE_INTEGER start;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  work();
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

unique_hwnd MakePanelWindow() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "QuorbelBenchPanel";
  RegisterClassA(&window_class);
  const int left = PanelLeft(GetSystemMetrics(SM_CXSCREEN));
  unique_hwnd window(CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_LAYERED, window_class.lpszClassName,
                                     "", WS_POPUP, left, 0, kPanelWidth, kPanelHeight, nullptr,
                                     nullptr, window_class.hInstance, nullptr));
  ShowWindow(window.get(), SW_SHOWNOACTIVATE);
  return window;
}

PanelModel BenchModel(const Text& skin_path) {
  return PanelModel{skin_path, fixtures::DefaultTexts(), u" 01:30", 2};
}

// Every call as PresentPanel did before it kept its frames: a new context and
// bitmap, the panel image, logo and cover drawn, the style set, the frame
// pushed, all released.
class UncachedPresent {
 public:
  UncachedPresent(HWND window, const Text& skin, const Text& logo)
      : window_(window), panel_(NewArgbImage(kPanelWidth, kPanelHeight)), logo_(LoadImageFile(logo)) {
    const unique_image skin_image = LoadImageFile(skin);
    unique_graphics graphics;
    GdipGetImageGraphicsContext(panel_.get(), graphics.put());
    GdipDrawImageRectI(graphics.get(), skin_image.get(), 0, 0, kPanelWidth, kPanelHeight);
  }

  void operator()(int32_t logo_top) const {
    RECT client{};
    GetClientRect(window_, &client);
    SIZE size{client.right, client.bottom};
    const WindowDc window_dc(window_);
    const FrameSurface surface(window_dc.get(), size);
    {
      unique_graphics graphics;
      GdipCreateFromHDC(surface.dc(), graphics.put());
      GdipDrawImageRectI(graphics.get(), panel_.get(), 0, 0, kPanelWidth, kPanelHeight);
      GdipDrawImageRectI(graphics.get(), logo_.get(), kLogoX, logo_top, kLogoWidth, kLogoHeight);
      const PixelRect& c = kLogoCover;
      GdipDrawImageRectRectI(graphics.get(), panel_.get(), c.x, c.y, c.width, c.height, c.x, c.y,
                             c.width, c.height, UnitPixel, nullptr, nullptr, nullptr);
    }
    SetWindowLongA(window_, GWL_EXSTYLE, GetWindowLongA(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Push(window_, window_dc.get(), surface);
  }

  static void Push(HWND window, HDC window_dc, const FrameSurface& surface) {
    SIZE size = surface.Size();
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(window, window_dc, nullptr, &size, surface.dc(), &source, 0, &blend,
                        ULW_ALPHA);
  }

 private:
  HWND window_;
  unique_image panel_;
  unique_image logo_;
};

// What no present can do without: top-most, and one full-frame update from
// a context that is ready.
class FloorPresent {
 public:
  explicit FloorPresent(HWND window)
      : window_(window), window_dc_(window), surface_(window_dc_.get(), SIZE{kPanelWidth, kPanelHeight}) {}

  void operator()() const {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UncachedPresent::Push(window_, window_dc_.get(), surface_);
  }

 private:
  HWND window_;
  WindowDc window_dc_;
  FrameSurface surface_;
};

void PrintFigure(const char* name, double value) { std::printf("%s %.3f\n", name, value); }

double CommittedKib() { return static_cast<double>(fixtures::CommittedBytes()) / 1024.0; }

// A reminder draws the panel once and presents it on every shake tick; a
// thousand of them show whether anything is left behind on each.
void RunReminders(LayeredPanelRenderer& renderer, const PanelModel& model) {
  constexpr int kReminders = 1000;
  constexpr int kShakeTicks = 10;
  const double before = CommittedKib();
  for (int reminder = 0; reminder < kReminders; ++reminder) {
    renderer.DrawPanel(model);
    for (int tick = 0; tick < kShakeTicks; ++tick) renderer.PresentPanel(tick % 2 == 0 ? 74 : 77);
    DispatchPending();
  }
  PrintFigure("reminders_1000_committed_kib_before", before);
  PrintFigure("reminders_1000_committed_kib_after", CommittedKib());
}

// The three presents in turns of kBlockRuns calls, so that the load of a
// shared machine falls on all of them alike.
void ComparePresents(LayeredPanelRenderer& renderer, const UncachedPresent& uncached,
                     const FloorPresent& floor) {
  std::vector<double> cached_ms;
  std::vector<double> uncached_ms;
  std::vector<double> floor_ms;
  int32_t logo_top = 74;
  for (int block = 0; block < kBlocks; ++block) {
    for (int run = 0; run < kBlockRuns; ++run) {
      logo_top = logo_top == 74 ? 77 : 74;
      cached_ms.push_back(Milliseconds([&] { renderer.PresentPanel(logo_top); }));
      DispatchPending();
    }
    for (int run = 0; run < kBlockRuns; ++run) {
      logo_top = logo_top == 74 ? 77 : 74;
      uncached_ms.push_back(Milliseconds([&] { uncached(logo_top); }));
      DispatchPending();
    }
    for (int run = 0; run < kBlockRuns; ++run) {
      floor_ms.push_back(Milliseconds([&] { floor(); }));
      DispatchPending();
    }
  }
  PrintFigure("present_ms_median", Median(cached_ms));
  PrintFigure("present_uncached_ms_median", Median(uncached_ms));
  PrintFigure("present_floor_ms_median", Median(floor_ms));
  std::printf("present_calls %zu\n", cached_ms.size());
}

int Run() {
  const GdiplusSession session;
  if (!session.Started()) return 1;
  const fixtures::TempDir dir;
  fixtures::WriteSolidPng(dir.File(u"skin.png"), kPanelWidth, kPanelHeight, fixtures::kSkinColour);
  fixtures::WriteSolidPng(dir.File(u"logo.png"), kLogoWidth, kLogoHeight, fixtures::kLogoColour);
  fixtures::WriteIconSheet(dir.File(u"icons.png"));

  const unique_hwnd window = MakePanelWindow();
  if (!window) {
    std::fputs("no window could be made\n", stderr);
    return 1;
  }
  const auto renderer = MakeLayeredPanelRenderer(window.get(), dir.Path());
  renderer->LoadLogo(dir.File(u"logo.png"));
  const PanelModel model = BenchModel(dir.File(u"skin.png"));
  const UncachedPresent uncached(window.get(), dir.File(u"skin.png"), dir.File(u"logo.png"));
  const FloorPresent floor(window.get());

  renderer->DrawPanel(model);  // first-use costs (font cache, codecs) stay out of the figures
  renderer->PresentPanel(74);
  uncached(74);
  floor();
  std::vector<double> draw_ms;
  for (int run = 0; run < kDrawRuns; ++run) {
    draw_ms.push_back(Milliseconds([&] { renderer->DrawPanel(model); }));
    DispatchPending();
  }
  PrintFigure("draw_ms_median", Median(draw_ms));
  renderer->PresentPanel(77);
  ComparePresents(*renderer, uncached, floor);
  RunReminders(*renderer, model);

  // The same panel for a monitor at 200 %: four times the pixels, the skin
  // enlarged once per draw, texts laid out at twice the size.
  renderer->SetScale(DisplayScale::FromDpi(192));
  renderer->DrawPanel(model);
  std::vector<double> scaled_draw_ms;
  for (int run = 0; run < kDrawRuns; ++run) {
    scaled_draw_ms.push_back(Milliseconds([&] { renderer->DrawPanel(model); }));
    DispatchPending();
  }
  PrintFigure("draw_192dpi_ms_median", Median(scaled_draw_ms));
  return 0;
}

}  // namespace
}  // namespace quorbel

int main() { return quorbel::Run(); }
