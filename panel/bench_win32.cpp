// QuorbelBench: median times of DrawPanel and PresentPanel on a real layered
// window, with generated skin, sprites and logo.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/handles_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "panel/tests/render_fixtures_win32.h"

namespace quorbel {
namespace {

constexpr int kRuns = 300;

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

template <typename Work>
double MedianMilliseconds(Work work) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> samples;
  for (int run = 0; run < kRuns; ++run) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    work(run);
    QueryPerformanceCounter(&end);
    samples.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  return Median(std::move(samples));
}

unique_hwnd MakePanelWindow() {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "QuorbelBenchPanel";
  RegisterClassA(&window_class);
  const int left = PanelLeft(GetSystemMetrics(SM_CXSCREEN));
  unique_hwnd window(CreateWindowExA(WS_EX_TOOLWINDOW, window_class.lpszClassName, "", WS_POPUP,
                                     left, 0, kPanelWidth, kPanelHeight, nullptr, nullptr,
                                     window_class.hInstance, nullptr));
  ShowWindow(window.get(), SW_SHOWNOACTIVATE);
  return window;
}

double CommittedKib() { return static_cast<double>(fixtures::CommittedBytes()) / 1024.0; }

void PrintGrowth(const char* what, double before_kib, double after_kib) {
  std::printf("%-12s committed memory %.0f KiB -> %.0f KiB after %d runs\n", what, before_kib,
              after_kib, kRuns);
}

PanelModel BenchModel(const Text& skin_path) {
  return PanelModel{skin_path,
                    PanelTexts{u"QUORBEL WARNING",
                               u"Continuous use of computer :",
                               u"Level :",
                               u"Quorbel risk :",
                               {u"No any risk", u"Carpal tunnel syndrome, Nearsightedness",
                                u"Carpal tunnel syndrome, Nearsightedness"},
                               u"Quorbel advice :",
                               {u"Does not require action", u"Recommended rest and exercise.",
                                u"Recommended rest and exercise."}},
                    u" 01:30",
                    2};
}

// A reminder draws the panel once and presents it on every shake tick; a
// thousand of them show whether anything is left behind on each.
void RunReminders(LayeredPanelRenderer& renderer, const PanelModel& model) {
  constexpr int kReminders = 1000;
  constexpr int kShakeTicks = 10;
  const double before = CommittedKib();
  for (int reminder = 0; reminder < kReminders; ++reminder) {
    renderer.DrawPanel(model);
    for (int tick = 0; tick < kShakeTicks; ++tick) renderer.PresentPanel(tick % 2 == 0 ? 74 : 77);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  std::printf("%d reminders: committed memory %.0f KiB -> %.0f KiB\n", kReminders, before,
              CommittedKib());
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

  renderer->DrawPanel(model);  // first-use costs (font cache, codecs) stay out of the figures
  renderer->PresentPanel(74);
  const double start = CommittedKib();
  const double draw = MedianMilliseconds([&](int) { renderer->DrawPanel(model); });
  const double drawn = CommittedKib();
  const double present =
      MedianMilliseconds([&](int run) { renderer->PresentPanel(run % 2 == 0 ? 74 : 77); });
  const double presented = CommittedKib();
  std::printf("DrawPanel    median %.3f ms over %d runs\n", draw, kRuns);
  std::printf("PresentPanel median %.3f ms over %d runs\n", present, kRuns);
  PrintGrowth("DrawPanel", start, drawn);
  PrintGrowth("PresentPanel", drawn, presented);
  RunReminders(*renderer, model);
  return 0;
}

}  // namespace
}  // namespace quorbel

int main() { return quorbel::Run(); }
