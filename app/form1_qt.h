#pragma once
// The reminder panel window on X11: frameless, always on top, a tool window
// that never takes the keyboard focus and shows in no taskbar or pager, with
// the reminder cycle's timers and the tray icon.
#include <functional>
#include <memory>

#include "common/text.h"
#include "panel/panel_control.h"
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

class QtForm1 : public PanelControl {
 public:
  struct Hooks {
    std::function<void()> on_unloaded;  // the last window is gone
  };

  // Creates the window and runs its initialization: the first-run autostart
  // entry and interval, the tray icon, the logo, Update and the timers. The window stays
  // hidden until Show.
  static std::unique_ptr<QtForm1> Create(ModReg& reg, ModIni& ini, ProgramPlace place, CanberraSound& sound,
                                         Hooks hooks);
  ~QtForm1() override = default;

  virtual void Show() = 0;
  // The tray icon's context menu, shown the platform's way: an XEmbed tray
  // pops it up on a right click, a StatusNotifierItem host draws the copy
  // exported over DBusMenu. Set before the event loop runs, so a host reads
  // the item's Menu with the menu in place.
  virtual void SetTrayMenu(QMenu& menu) = 0;
  // Tears everything down in order; the window is gone afterwards.
  virtual void Unload() = 0;
  virtual bool IsLoaded() const = 0;
};

}  // namespace quorbel
