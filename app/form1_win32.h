#pragma once
// The reminder panel window: a borderless, top-most, per-pixel-alpha window
// that never takes the keyboard focus, with the reminder cycle's timers.
#include <functional>
#include <memory>

#include "app/ports.h"
#include "panel/panel_control.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

class Form1 : public PanelControl {
 public:
  struct Hooks {
    std::function<void()> on_tray_right_click;  // pops up the tray menu
    std::function<void()> on_unloaded;          // the last window is gone
  };

  // Creates the window and runs its initialization: GDI+, the first-run
  // autostart entry and interval, the tray icon, top-most, the logo, Update and the
  // timers. The window stays hidden until Show. Nothing when the window
  // itself (or its class) could not be made.
  static std::unique_ptr<Form1> Create(ModReg& reg, ModIni& ini, Hooks hooks);
  ~Form1() override = default;

  virtual void Show() = 0;
  // Tears everything down in order; the window is gone afterwards.
  virtual void Unload() = 0;
  virtual bool IsLoaded() const = 0;
};

}  // namespace quorbel
