#include "app/form1_win32.h"

#include <windows.h>

#include <utility>

#include "app/app_paths_win32.h"
#include "app/cycle.h"
#include "app/cycle_win32.h"
#include "app/first_run.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "tray/tray_icon_win32.h"

namespace quorbel {
namespace {

constexpr char kWindowClass[] = "QuorbelClock.Form1";
constexpr char kCaption[] = "Quorbel Alarm Clock";
constexpr int kPanelWidth = 450;
constexpr int kPanelHeight = 140;

class Form1Window : public Form1 {
 public:
  Form1Window(ModReg& reg, ModIni& ini, Hooks hooks) : reg_(reg), ini_(ini), hooks_(std::move(hooks)) {}
  ~Form1Window() override { Unload(); }

  bool Initialize();
  void Show() override;
  void Unload() override;
  bool IsLoaded() const override { return window_ != nullptr; }

  void ShowPanelManaul() override {
    if (cycle_) cycle_->ShowPanelManaul();
  }
  void Time3active() override {
    if (cycle_) cycle_->Time3active();
  }
  void Update(bool redraw) override {
    if (cycle_) cycle_->Update(redraw);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  bool CreatePanelWindow();
  void StartGdiplus();
  void AddTrayIcon();
  void PlaceWindow();

  ModReg& reg_;
  ModIni& ini_;
  Hooks hooks_;
  HWND window_ = nullptr;
  // Declared before everything that holds GDI+ objects, so it ends last.
  std::unique_ptr<GdiplusSession> gdiplus_;
  std::unique_ptr<Win32TrayIcon> tray_icon_;
  std::unique_ptr<Win32CyclePorts> ports_;
  std::unique_ptr<LayeredPanelRenderer> renderer_;
  std::unique_ptr<ReminderCycle> cycle_;
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

bool Form1Window::CreatePanelWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance, &WindowProc)) return false;
  // A tool window stays off the taskbar; no-activate keeps the user's typing
  // in the user's own window while the panel shows and slides.
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED,
                            kWindowClass, kCaption, WS_POPUP, 0, 0, kPanelWidth, kPanelHeight,
                            nullptr, nullptr, instance, this);
  return window_ != nullptr;
}

bool Form1Window::Initialize() {
  if (!CreatePanelWindow()) return false;
  PlaceWindow();
  StartGdiplus();
  WriteFirstRunSettings(reg_, ExePathForAutostart());
  AddTrayIcon();
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  ports_ = std::make_unique<Win32CyclePorts>(window_);
  renderer_ = MakeLayeredPanelRenderer(window_, ExeDirectory());
  renderer_->LoadLogo(FileBesideExe(u"logo.png"));
  cycle_ = std::make_unique<ReminderCycle>(
      CyclePorts{*ports_, *ports_, *ports_, *ports_, *renderer_, reg_, ini_}, FileBesideExe(u"load.wav"));
  cycle_->Start();
  return true;
}

void Form1Window::StartGdiplus() {
  gdiplus_ = std::make_unique<GdiplusSession>();
  if (!gdiplus_->Started()) {
    MessageBoxA(nullptr, "Error loading GDI+!", kCaption, MB_OK | MB_ICONERROR);
  }
}

void Form1Window::AddTrayIcon() {
  TrayIconEvents events;
  events.right_click = [this] {
    if (hooks_.on_tray_right_click) hooks_.on_tray_right_click();
  };
  tray_icon_ = std::make_unique<Win32TrayIcon>(std::move(events));
  tray_icon_->SetScreenTip(kTrayIcon1ScreenTip);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const auto icon = static_cast<HICON>(
      LoadImageA(instance, "IDI_QUORBEL", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                 GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
  tray_icon_->Add(icon);
}

void Form1Window::PlaceWindow() {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kPanelWidth) / 2;
  SetWindowPos(window_, nullptr, left, 0, kPanelWidth, kPanelHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Form1Window::Show() {
  PlaceWindow();
  ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void Form1Window::Unload() {
  if (!window_) return;
  if (tray_icon_) tray_icon_->Remove();
  if (renderer_) renderer_->ReleaseImages();
  gdiplus_.reset();
  if (ports_) ports_->StopAllTimers();
  cycle_.reset();
  renderer_.reset();  // last, the frames kept for the shake
  ports_.reset();
  tray_icon_.reset();
  DestroyWindow(std::exchange(window_, nullptr));
  if (hooks_.on_unloaded) hooks_.on_unloaded();
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
      if (ports_ && cycle_) {
        if (const auto timer = ports_->TimerForMessage(wparam)) cycle_->OnTimer(*timer);
      }
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

std::unique_ptr<Form1> Form1::Create(ModReg& reg, ModIni& ini, Hooks hooks) {
  auto form = std::make_unique<Form1Window>(reg, ini, std::move(hooks));
  if (!form->Initialize()) return nullptr;
  return form;
}

}  // namespace quorbel
