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

struct Win32TrayIcon::Impl {
  explicit Impl(TrayIconEvents events) : control(std::move(events)) {}

  TrayIcon control;
  ShellNotify notify;
  NOTIFYICONDATAA record{};
  unique_hwnd window;

  void OnTaskbarCreated() {
    if (!control.MustAddAfterShellRestart()) return;
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
        self->control.MouseReported(static_cast<double>(lparam), kPixelSize);
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

Win32TrayIcon::Win32TrayIcon(TrayIconEvents events, ShellNotify notify)
    : impl_(std::make_unique<Impl>(std::move(events))) {
  impl_->notify = notify ? std::move(notify) : ShellNotify(CallShell);
  RegisterWindowClass(&Impl::WindowProc);
  // A hidden top-level window, not a message-only one: only top-level windows
  // hear the shell's "TaskbarCreated" broadcast.
  impl_->window.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), impl_.get()));
}

Win32TrayIcon::~Win32TrayIcon() {
  if (impl_->control.Shown()) Remove();
}

void Win32TrayIcon::Add(HICON__* icon) {
  NOTIFYICONDATAA& record = impl_->record;
  record.hIcon = icon;
  record.cbSize = NOTIFYICONDATAA_V1_SIZE;
  FillTip(record, impl_->control.ScreenTip());
  record.uFlags = kRecordFlags;
  record.hWnd = impl_->window.get();
  record.uCallbackMessage = kCallbackMessage;
  impl_->notify(NIM_ADD, record);
  impl_->control.Added();
}

void Win32TrayIcon::Remove() {
  impl_->notify(NIM_DELETE, impl_->record);
  impl_->control.Removed();
}

const Text& Win32TrayIcon::ScreenTip() const { return impl_->control.ScreenTip(); }

void Win32TrayIcon::SetScreenTip(Text tip) { impl_->control.SetScreenTip(std::move(tip)); }

HWND__* Win32TrayIcon::Window() const { return impl_->window.get(); }

}  // namespace quorbel
