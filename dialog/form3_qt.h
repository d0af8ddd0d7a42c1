#pragma once
// The settings dialog as a Qt dialog without owner and not modal, one
// instance at a time.
//
//   QtForm3 dialog(mod_reg, mod_ini, panel_control, exe_path);
//   dialog.Show();                  // tray menu's settings entry
//   dialog.CloseWithoutStoring();   // tray menu's Exit
#include <memory>

#include "panel/panel_control.h"
#include "common/text.h"
#include "dialog/form3.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

class QWidget;

namespace quorbel {

class QtForm3 final : public Form3Window {
 public:
  // `exe_path` is the autostart path; Browse starts in its directory.
  QtForm3(ModReg& reg, const ModIni& ini, PanelControl& panel, Text exe_path);
  ~QtForm3() override;
  QtForm3(const QtForm3&) = delete;
  QtForm3& operator=(const QtForm3&) = delete;

  void Show() override;
  void CloseWithoutStoring() override;
  bool IsOpen() const override;
  // The dialog's window, or null when closed.
  QWidget* Window() const;

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
