#pragma once
// The reminder panel window apart from its platform: the order in which it
// comes up and goes down, the reminder cycle it owns, and the panel's public
// operations, which do nothing while the window is not loaded.
#include <functional>
#include <optional>

#include "app/cycle.h"
#include "app/do_not_disturb.h"
#include "app/ports.h"
#include "common/text.h"
#include "panel/panel_control.h"
#include "panel/panel_model.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

// The cycle's ports that the platform makes with the window.
struct Form1CyclePorts {
  TimerHost& timers;
  PanelWindow& window;
  InputClock& input;
  ThreadBlocker& blocker;
  DoNotDisturb& do_not_disturb;
};

// What the panel window needs of its platform.
class Form1Platform {
 public:
  virtual ~Form1Platform() = default;
  // False when the window (or its class) could not be made.
  virtual bool MakeWindow() = 0;
  // Centred at the top of the screen.
  virtual void PlaceWindow() = 0;
  // What painting needs for as long as the window lives, and its end.
  virtual void StartDrawing() = 0;
  virtual void EndDrawing() = 0;
  virtual void AddTrayIcon(const Text& tip) = 0;
  virtual void RemoveTrayIcon() = 0;
  virtual void SetTopMost() = 0;
  // The program the autostart entry starts.
  virtual Text ExePath() = 0;
  // A data file (image, sound) by its name.
  virtual Text DataFile(TextView name) = 0;
  // Each tick of an enabled timer goes to `on_tick`.
  virtual Form1CyclePorts MakeCyclePorts(std::function<void(TimerId)> on_tick) = 0;
  virtual PanelRenderer& MakeRenderer(const Text& logo_path) = 0;
  virtual void ShowWindow() = 0;
  // Destroys the window and all that was made for it.
  virtual void CloseWindow() = 0;
};

class Form1 : public PanelControl {
 public:
  struct Hooks {
    std::function<void()> on_unloaded;  // the last window is gone
  };

  Form1(Form1Platform& platform, ModReg& reg, ModIni& ini, Hooks hooks);
  // The platform must still be whole: its owner unloads first.
  ~Form1() override;

  // Makes the window and runs its initialization: place, drawing, the
  // first-run autostart entry and interval, the tray icon, top-most, the
  // renderer and logo, the cycle (Update and the timers). The window stays
  // hidden until Show. False, with nothing made, when the window could not
  // be made.
  bool Load();
  void Show();
  // Tears everything down in order; the window is gone afterwards.
  void Unload();
  bool IsLoaded() const { return loaded_; }

  void ShowPanelManaul() override;
  void Time3active() override;
  void Update(bool redraw) override;

 private:
  void StartCycle();

  Form1Platform& platform_;
  ModReg& reg_;
  ModIni& ini_;
  Hooks hooks_;
  bool loaded_ = false;
  TimerHost* timers_ = nullptr;
  std::optional<ReminderCycle> cycle_;
};

}  // namespace quorbel
