#pragma once
// The settings dialog as a modeless Win32 dialog, one instance at a time.
//
//   Win32Form3 dialog(mod_reg, mod_ini, panel_control, exe_path, hinstance);
//   dialog.Show();                         // tray menu's settings entry
//   if (!dialog.PreTranslate(&msg)) {      // in the message loop, for Tab,
//     TranslateMessage(&msg);              // Enter (Ok) and Esc (Cancel)
//     DispatchMessageA(&msg);
//   }
//   dialog.CloseWithoutStoring();          // tray menu's Exit
//
// GDI+ must be started before Show() (the thumbnails are drawn with it).
#include <memory>

#include "panel/panel_control.h"
#include "common/text.h"
#include "dialog/form3.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

// The control's identifier on the dialog (GetDlgItem); 0 for the skin
// strip's viewport and scroll bar, which are known by their classes.
int Form3ControlId(Form3Control control);

class Win32Form3 final : public Form3Window {
 public:
  // `exe_path` is the autostart path (see ExePathForAutostart); `instance` is
  // the program's HINSTANCE.
  Win32Form3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path, void* instance);
  ~Win32Form3() override;
  Win32Form3(const Win32Form3&) = delete;
  Win32Form3& operator=(const Win32Form3&) = delete;

  void Show() override;
  void CloseWithoutStoring() override;
  bool IsOpen() const override;
  // Gives the open dialog its keyboard handling for `msg` (a MSG*); true when
  // the message was handled and must not be dispatched again.
  bool PreTranslate(void* msg);
  // The dialog's window (an HWND), or null when closed.
  void* Window() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
