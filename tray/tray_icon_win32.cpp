#include "tray/tray_icon_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "common/ansi.h"
#include "common/handles_win32.h"

namespace quorbel {
namespace {

constexpr char kWindowClass[] = "QuorbelClock.TrayIcon";
// Notifications arrive as mouse-move reports whose position is the number of
// the mouse message that happened over the icon.
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;
constexpr UINT kRecordFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// Win32 reports the position in pixels, so one pixel is one unit.
constexpr double kPixelSize = 1.0;

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void CallShell(unsigned long message, NOTIFYICONDATAA& record) {
  Shell_NotifyIconA(message, &record);
}

// The tip field holds exactly 64 bytes; the rest of the record's wider field
// stays zero, so a tip without terminator still ends there.
void FillTip(NOTIFYICONDATAA& record, TextView screen_tip) {
  const std::string field = ToAnsi(TipField(screen_tip));
  std::memset(record.szTip, 0, sizeof record.szTip);
  std::memcpy(record.szTip, field.data(), std::min(field.size(), kTipFieldChars));
}

}  // namespace

struct TrayIcon::Impl {
  TrayIconEvents events;
  ShellNotify notify;
  Text screen_tip = kNewControlScreenTip;
  NOTIFYICONDATAA record{};
  bool shown = false;
  unique_hwnd window;

  void Raise(TrayEvent event) const {
    const std::function<void()>* handler = nullptr;
    switch (event) {
      case TrayEvent::Click:
        handler = &events.click;
        break;
      case TrayEvent::DblClick:
        handler = &events.dbl_click;
        break;
      case TrayEvent::RightClick:
        handler = &events.right_click;
        break;
    }
    if (*handler) (*handler)();
  }

  void OnMouseReport(LPARAM position) const {
    const auto number = DecodeNotification(static_cast<double>(position), kPixelSize);
    if (!number) return;
    if (const auto event = EventForMessage(*number)) Raise(*event);
  }

  // A restarted shell forgets every icon; without it the user could neither
  // reach the settings nor exit.
  void OnTaskbarCreated() {
    if (!shown) return;
    notify(NIM_DELETE, record);
    notify(NIM_ADD, record);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
      if (message == kCallbackMessage) {
        self->OnMouseReport(lparam);
        return 0;
      }
      if (message == TaskbarCreatedMessage()) {
        self->OnTaskbarCreated();
        return 0;
      }
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }
};

namespace {

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExA(&window_class);  // fails harmlessly when already registered
}

}  // namespace

TrayIcon::TrayIcon(TrayIconEvents events, ShellNotify notify) : impl_(std::make_unique<Impl>()) {
  impl_->events = std::move(events);
  impl_->notify = notify ? std::move(notify) : ShellNotify(CallShell);
  RegisterWindowClass(&Impl::WindowProc);
  // A hidden top-level window, not a message-only one: only top-level windows
  // hear the shell's "TaskbarCreated" broadcast.
  impl_->window.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), impl_.get()));
}

TrayIcon::~TrayIcon() {
  if (impl_->shown) Remove();
}

void TrayIcon::Add(HICON__* icon) {
  NOTIFYICONDATAA& record = impl_->record;
  record.hIcon = icon;
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  FillTip(record, impl_->screen_tip);
  record.uFlags = kRecordFlags;
  record.hWnd = impl_->window.get();
  record.uCallbackMessage = kCallbackMessage;
  impl_->notify(NIM_ADD, record);
  impl_->shown = true;
}

void TrayIcon::Remove() {
  impl_->notify(NIM_DELETE, impl_->record);
  impl_->shown = false;
}

const Text& TrayIcon::ScreenTip() const { return impl_->screen_tip; }

void TrayIcon::SetScreenTip(Text tip) { impl_->screen_tip = std::move(tip); }

HWND__* TrayIcon::Window() const { return impl_->window.get(); }

}  // namespace quorbel
