#include "app/panel_window_win32.h"

#include <windows.h>

#include <utility>

#include "app/panel_place.h"
#include "common/accessible_win32.h"
#include "common/dpi_win32.h"
#include "panel/panel_layout.h"

namespace quorbel {
namespace {

constexpr char kWindowClass[] = "QuorbelClock.Form1";
constexpr char kCaption[] = "Quorbel Alarm Clock";

// To assistive technology the panel is an alert named with the reminder
// last announced, or with its caption before the first.
class PanelContent final : public AccessibleContent {
 public:
  std::optional<Text> Name() const override { return name; }
  std::optional<long> Role() const override { return ROLE_SYSTEM_ALERT; }
  std::optional<Text> name;
};

class PanelWindowImpl final : public Win32PanelWindow {
 public:
  explicit PanelWindowImpl(std::function<void(uintptr_t)> on_timer) : on_timer_(std::move(on_timer)) {}
  ~PanelWindowImpl() override {
    if (window_) DestroyWindow(std::exchange(window_, nullptr));
  }

  bool Make();
  void* Handle() const override { return window_; }
  void PlaceAtTop() override;
  void SetTopMost() override {
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  void ShowNoActivate() override { ShowWindow(window_, SW_SHOWNOACTIVATE); }

  DisplayScale Scale() const override { return scale_; }
  void OnScaleChange(std::function<void(const DisplayScale&)> changed) override {
    scale_changed_ = std::move(changed);
  }

  int32_t Top() const override { return scale_.Logical(Rect().top); }
  void SetTop(int32_t top) override {
    SetWindowPos(window_, nullptr, Rect().left, scale_.Length(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  }
  int32_t Height() const override { return scale_.Logical(Rect().bottom - Rect().top); }
  void AnnounceArrival(const Text& text) override {
    accessible_content_.name = text;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window_, OBJID_CLIENT, CHILDID_SELF);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Place(int32_t cycle_top);
  void TakeDpi(UINT dpi);
  RECT Rect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
  }

  std::function<void(uintptr_t)> on_timer_;
  PanelContent accessible_content_;
  AccessibleHost accessible_{accessible_content_};
  std::function<void(const DisplayScale&)> scale_changed_;
  HWND window_ = nullptr;
  DisplayScale scale_;
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

bool PanelWindowImpl::Make() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClass(instance, &WindowProc)) return false;
  // A tool window stays off the taskbar; no-activate keeps the user's typing
  // in the user's own window while the panel shows and slides.
  window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED,
                            kWindowClass, kCaption, WS_POPUP, 0, 0, kPanelWidth, kPanelHeight,
                            nullptr, nullptr, instance, this);
  if (!window_) return false;
  scale_ = DisplayScale::FromDpi(static_cast<int32_t>(WindowDpi(window_)));
  Place(0);
  return true;
}

void PanelWindowImpl::PlaceAtTop() { Place(0); }

// Centred on the primary monitor, whose width the system gives in its own
// pixels to a per-monitor aware program.
void PanelWindowImpl::Place(int32_t cycle_top) {
  const PixelRect rect = PanelDeviceRect(GetSystemMetrics(SM_CXSCREEN), cycle_top, scale_);
  SetWindowPos(window_, nullptr, rect.x, rect.y, rect.width, rect.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The panel keeps its logical place and size on a monitor of another DPI,
// then is composed again for it.
void PanelWindowImpl::TakeDpi(UINT dpi) {
  const int32_t top = Top();
  scale_ = DisplayScale::FromDpi(static_cast<int32_t>(dpi));
  Place(top);
  if (scale_changed_) scale_changed_(scale_);
}

LRESULT CALLBACK PanelWindowImpl::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<PanelWindowImpl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self && self->window_ == window) return self->OnMessage(message, wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT PanelWindowImpl::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      on_timer_(wparam);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_DPICHANGED:
      TakeDpi(HIWORD(wparam));
      return 0;
    case WM_CLOSE:
      return 0;  // only the tray menu's Exit unloads the panel
    case WM_GETOBJECT:
      if (const auto answer = accessible_.Answer(window_, wparam, lparam)) return *answer;
      return DefWindowProcA(window_, message, wparam, lparam);
    default:
      return DefWindowProcA(window_, message, wparam, lparam);
  }
}

}  // namespace

std::unique_ptr<Win32PanelWindow> Win32PanelWindow::Create(std::function<void(uintptr_t)> on_timer) {
  auto window = std::make_unique<PanelWindowImpl>(std::move(on_timer));
  if (!window->Make()) return nullptr;
  return window;
}

}  // namespace quorbel
