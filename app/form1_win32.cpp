#include "app/form1_win32.h"

#include <windows.h>

#include <utility>

#include "app/app_paths_win32.h"
#include "app/cycle_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "tray/tray_icon_win32.h"

namespace quorbel {
namespace {

constexpr char kWindowClass[] = "QuorbelClock.Form1";
constexpr char kCaption[] = "Quorbel Alarm Clock";
constexpr int kPanelWidth = 450;
constexpr int kPanelHeight = 140;

class Form1Window final : public Win32Form1Window, public Form1Platform {
 public:
  Form1Window(ModReg& reg, ModIni& ini, Hooks hooks)
      : hooks_(std::move(hooks)), form_(*this, reg, ini, {hooks_.on_unloaded}) {}
  ~Form1Window() override { form_.Unload(); }

  Form1& Form() override { return form_; }

  bool MakeWindow() override;
  void PlaceWindow() override;
  void StartDrawing() override;
  void EndDrawing() override;
  void AddTrayIcon(const Text& tip) override;
  void RemoveTrayIcon() override { tray_icon_->Remove(); }
  void SetTopMost() override {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  Text ExePath() override { return ExePathForAutostart(); }
  Text DataFile(TextView name) override { return FileBesideExe(name); }
  Form1CyclePorts MakeCyclePorts(std::function<void(TimerId)> on_tick) override;
  PanelRenderer& MakeRenderer(const Text& logo_path) override;
  void ShowWindow() override { ::ShowWindow(window_, SW_SHOWNOACTIVATE); }
  void CloseWindow() override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  Hooks hooks_;
  HWND window_ = nullptr;
  // Declared before everything that holds GDI+ objects, so it ends last.
  std::unique_ptr<GdiplusSession> gdiplus_;
  std::unique_ptr<TrayIcon> tray_icon_;
  std::unique_ptr<Win32CyclePorts> ports_;
  std::unique_ptr<LayeredPanelRenderer> renderer_;
  Form1 form_;
};

bool RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSA window_class{};
  if (GetClassInfoA(instance, kWindowClass, &window_class)) return true;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIconA(instance, "IDI_QUORBEL");
  window_class.lpszClassName = kWindowClass;
  return RegisterClassA(&window_class) != 0;
}

bool Form1Window::MakeWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance, &WindowProc)) return false;
  // A tool window stays off the taskbar; no-activate keeps the user's typing
  // in the user's own window while the panel shows and slides.
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED,
                            kWindowClass, kCaption, WS_POPUP, 0, 0, kPanelWidth, kPanelHeight,
                            nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

void Form1Window::PlaceWindow() {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kPanelWidth) / 2;
  SetWindowPos(window_, nullptr, left, 0, kPanelWidth, kPanelHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
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
  tray_icon_ = std::make_unique<TrayIcon>(std::move(events));
  tray_icon_->SetScreenTip(tip);
  const auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), "IDI_QUORBEL", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
  tray_icon_->Add(icon);
}

Form1CyclePorts Form1Window::MakeCyclePorts(std::function<void(TimerId)> on_tick) {
  ports_ = std::make_unique<Win32CyclePorts>(window_, std::move(on_tick));
  return {ports_->Timers(), *ports_, *ports_, *ports_};
}

PanelRenderer& Form1Window::MakeRenderer(const Text& logo_path) {
  renderer_ = MakeLayeredPanelRenderer(window_, ExeDirectory());
  renderer_->LoadLogo(logo_path);
  return *renderer_;
}

void Form1Window::CloseWindow() {
  renderer_.reset();  // last, the frames kept for the shake
  ports_.reset();
  tray_icon_.reset();
  DestroyWindow(std::exchange(window_, nullptr));
}

LRESULT CALLBACK Form1Window::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Form1Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && self->window_ == window) return self->Handle(message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT Form1Window::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (ports_) ports_->OnTimerMessage(wparam);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_CLOSE:
      return 0;  // only the tray menu's Exit unloads the panel
    default:
      return DefWindowProcA(window_, message, wparam, lparam);
  }
}

}  // namespace

std::unique_ptr<Win32Form1Window> Win32Form1Window::Create(ModReg& reg, ModIni& ini, Hooks hooks) {
  auto window = std::make_unique<Form1Window>(reg, ini, std::move(hooks));
  if (!window->Form().Load()) return nullptr;
  return window;
}

}  // namespace quorbel
