#include "tray/form4_win32.h"

#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include "common/ansi.h"
#include "common/handles_win32.h"

// mmsystem.h renames PlaySound to PlaySoundA.
#undef PlaySound

namespace quorbel {
namespace {

constexpr char kWindowClass[] = "QuorbelClock.Form4";
constexpr char kCaption[] = "Form4";

UINT_PTR ItemId(TrayMenuCommand command) { return static_cast<UINT_PTR>(command); }

// The session ending (Windows may end the process as soon as the message is
// answered), or another program closing this window, as the installer does
// before it replaces the files: both end the program as the menu's Exit does,
// so the icon leaves the tray. Left to the default, a close would destroy
// this window alone and leave a running program without its menu.
bool EndsTheProgram(UINT message, WPARAM wparam) {
  return message == WM_CLOSE || (message == WM_ENDSESSION && wparam);
}

unique_hmenu BuildMainMenu(const TrayMenuTexts& texts) {
  unique_hmenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, ItemId(TrayMenuCommand::Setting),
              ToAnsi(texts.setting).c_str());
  AppendMenuA(menu.get(), MF_STRING, ItemId(TrayMenuCommand::About), ToAnsi(texts.about).c_str());
  AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.get(), MF_STRING, ItemId(TrayMenuCommand::Exit), ToAnsi(texts.exit).c_str());
  return menu;
}

}  // namespace

struct Win32Form4::Impl {
  Impl(const ModIni& ini, PanelControl& panel, TrayMenuActions actions)
      : form(ini, panel, std::move(actions), {[this] { OpenWebPage(); }, [this] { Unload(); }}),
        app_dir(ini.AppDir()) {}

  Form4 form;
  Text app_dir;
  unique_hmenu menu;
  unique_hwnd window;

  void OpenWebPage() const {
    ShellExecuteA(window.get(), "Open", kProductWebAddress, "", ToAnsi(app_dir).c_str(),
                  SW_SHOWNORMAL);
  }

  void Unload() {
    window.reset();
    menu.reset();
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* self = reinterpret_cast<const Impl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && HIWORD(wparam) == 0 && self->form.RunItem(LOWORD(wparam))) {
      return 0;
    }
    if (self && EndsTheProgram(message, wparam)) {
      self->form.Run(TrayMenuCommand::Exit);
      return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
  }
};

Win32Form4::Win32Form4(const ModIni& ini, PanelControl& panel, TrayMenuActions actions)
    : impl_(std::make_unique<Impl>(ini, panel, std::move(actions))) {
  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = &Impl::WindowProc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = kWindowClass;
  RegisterClassExA(&window_class);  // fails harmlessly when already registered
  // Never shown: it only has to exist to own the menu and take its commands.
  impl_->window.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, kCaption, WS_POPUP, 0, 0, 0,
                                      0, nullptr, nullptr, GetModuleHandleA(nullptr), impl_.get()));
  impl_->menu = BuildMainMenu(impl_->form.Texts());
}

Win32Form4::~Win32Form4() = default;

void Win32Form4::ShowMenuAt(int x, int y) {
  if (!IsLoaded()) return;
  HWND owner = impl_->window.get();
  // Without the foreground the menu would stay open when the user clicks
  // elsewhere; the posted message lets it close cleanly the next time.
  SetForegroundWindow(owner);
  TrackPopupMenu(impl_->menu.get(), 0, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

void Win32Form4::ShowMenuAtPointer() {
  POINT pointer{};
  GetCursorPos(&pointer);
  ShowMenuAt(pointer.x, pointer.y);
}

void Win32Form4::PlaySound() const {
  sndPlaySoundA(ToAnsi(impl_->form.StartSound()).c_str(), SND_NODEFAULT);
}

void Win32Form4::Unload() { impl_->Unload(); }

bool Win32Form4::IsLoaded() const { return impl_->window && impl_->menu; }

const TrayMenuTexts& Win32Form4::Texts() const { return impl_->form.Texts(); }

HWND__* Win32Form4::Window() const { return impl_->window.get(); }

HMENU__* Win32Form4::MainMenu() const { return impl_->menu.get(); }

}  // namespace quorbel
