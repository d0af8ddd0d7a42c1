#pragma once
// The reminder panel window on X11: frameless, always on top, a tool window
// that never takes the keyboard focus and shows in no taskbar or pager, with
// the reminder cycle's timers and the tray icon.
#include <functional>
#include <memory>

#include "app/form1.h"
#include "common/text.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

class QMenu;

namespace quorbel {

class CanberraSound;

// Where the program lives: the autostart entry names `exe_path`; Config.ini,
// images and sounds are in `data_dir` (no trailing separator).
struct ProgramPlace {
  Text exe_path;
  Text data_dir;
};

class QtForm1Window {
 public:
  struct Hooks {
    std::function<void()> on_unloaded;  // the last window is gone
  };

  // The window, loaded and hidden until Show.
  static std::unique_ptr<QtForm1Window> Create(ModReg& reg, ModIni& ini, ProgramPlace place, CanberraSound& sound,
                                               Hooks hooks);
  virtual ~QtForm1Window() = default;

  virtual Form1& Form() = 0;
  // The tray icon's context menu, shown the platform's way: an XEmbed tray
  // pops it up on a right click, a StatusNotifierItem host draws the copy
  // exported over DBusMenu. Set before the event loop runs, so a host reads
  // the item's Menu with the menu in place.
  virtual void SetTrayMenu(QMenu& menu) = 0;
};

}  // namespace quorbel
