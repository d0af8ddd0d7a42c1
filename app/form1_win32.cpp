#include "app/form1_win32.h"

#include <windows.h>

#include <utility>

#include "app/app_paths_win32.h"
#include "app/cycle_win32.h"
#include "app/do_not_disturb_win32.h"
#include "app/panel_window_win32.h"
#include "common/dpi_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "tray/tray_icon_win32.h"

namespace quorbel {
namespace {

constexpr char kCaption[] = "Quorbel Alarm Clock";

class Form1Window final : public Win32Form1Window, public Form1Platform {
 public:
  Form1Window(ModReg& reg, ModIni& ini, Hooks hooks)
      : hooks_(std::move(hooks)), form_(*this, reg, ini, {hooks_.on_unloaded}) {}
  ~Form1Window() override { form_.Unload(); }

  Form1& Form() override { return form_; }

  bool MakeWindow() override;
  void PlaceWindow() override { window_->PlaceAtTop(); }
  void StartDrawing() override;
  void EndDrawing() override;
  void AddTrayIcon(const Text& tip) override;
  void RemoveTrayIcon() override { tray_icon_->Remove(); }
  void SetTopMost() override { window_->SetTopMost(); }
  Text ExePath() override { return ExePathForAutostart(); }
  Text DataFile(TextView name) override { return FileBesideExe(name); }
  Form1CyclePorts MakeCyclePorts(std::function<void(TimerId)> on_tick) override;
  PanelRenderer& MakeRenderer(const Text& logo_path) override;
  void ShowWindow() override { window_->ShowNoActivate(); }
  void CloseWindow() override;

 private:
  Hooks hooks_;
  std::unique_ptr<Win32PanelWindow> window_;
  // Declared before everything that holds GDI+ objects, so it ends last.
  std::unique_ptr<GdiplusSession> gdiplus_;
  std::unique_ptr<Win32TrayIcon> tray_icon_;
  std::unique_ptr<Win32CyclePorts> ports_;
  std::unique_ptr<LayeredPanelRenderer> renderer_;
  Win32DoNotDisturb do_not_disturb_;
  Form1 form_;
};

bool Form1Window::MakeWindow() {
  window_ = Win32PanelWindow::Create([this](uintptr_t identifier) {
    if (ports_) ports_->OnTimerMessage(identifier);
  });
  return window_ != nullptr;
}

void Form1Window::StartDrawing() {
  gdiplus_ = std::make_unique<GdiplusSession>();
  if (!gdiplus_->Started()) {
    MessageBoxA(nullptr, "Error loading GDI+!", kCaption, MB_OK | MB_ICONERROR);
  }
}

void Form1Window::EndDrawing() {
  renderer_->ReleaseImages();
  gdiplus_.reset();
}

void Form1Window::AddTrayIcon(const Text& tip) {
  TrayIconEvents events;
  events.right_click = [this] {
    if (hooks_.on_tray_right_click) hooks_.on_tray_right_click();
  };
  tray_icon_ = std::make_unique<Win32TrayIcon>(std::move(events));
  tray_icon_->SetScreenTip(tip);
  // The shell shows small icons at its monitor's DPI: the .ico holds an
  // image for each common size, so none is enlarged.
  const UINT dpi = WindowDpi(static_cast<HWND>(window_->Handle()));
  const auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), "IDI_QUORBEL", IMAGE_ICON, SystemMetricForDpi(SM_CXSMICON, dpi),
                 SystemMetricForDpi(SM_CYSMICON, dpi), LR_DEFAULTCOLOR | LR_SHARED));
  tray_icon_->Add(icon);
}

Form1CyclePorts Form1Window::MakeCyclePorts(std::function<void(TimerId)> on_tick) {
  ports_ = std::make_unique<Win32CyclePorts>(window_->Handle(), std::move(on_tick));
  return {ports_->Timers(), *window_, *ports_, *ports_, do_not_disturb_};
}

PanelRenderer& Form1Window::MakeRenderer(const Text& logo_path) {
  renderer_ = MakeLayeredPanelRenderer(window_->Handle(), ExeDirectory());
  renderer_->SetScale(window_->Scale());
  renderer_->LoadLogo(logo_path);
  window_->OnScaleChange([this](const DisplayScale& scale) {
    if (renderer_) renderer_->SetScale(scale);
  });
  return *renderer_;
}

void Form1Window::CloseWindow() {
  renderer_.reset();  // last, the frames kept for the shake
  ports_.reset();
  tray_icon_.reset();
  window_.reset();
}

}  // namespace

std::unique_ptr<Win32Form1Window> Win32Form1Window::Create(ModReg& reg, ModIni& ini, Hooks hooks) {
  auto window = std::make_unique<Form1Window>(reg, ini, std::move(hooks));
  if (!window->Form().Load()) return nullptr;
  return window;
}

}  // namespace quorbel
