#pragma once
// The reminder panel window on Windows: a borderless, top-most, per-pixel-
// alpha window that never takes the keyboard focus, its tray icon and the
// cycle's message timers.
#include <functional>
#include <memory>

#include "app/form1.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

class Win32Form1Window {
 public:
  struct Hooks {
    std::function<void()> on_tray_right_click;  // pops up the tray menu
    std::function<void()> on_unloaded;          // the last window is gone
  };

  // The window, loaded and hidden until Show; nothing when the window itself
  // (or its class) could not be made.
  static std::unique_ptr<Win32Form1Window> Create(ModReg& reg, ModIni& ini, Hooks hooks);
  virtual ~Win32Form1Window() = default;

  virtual Form1& Form() = 0;
};

}  // namespace quorbel
