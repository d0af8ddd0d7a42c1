#pragma once
// The panel window's public operations that the tray menu and the settings
// dialog call: declared with the panel, so neither reaches up into the
// program that owns the window.

namespace quorbel {

class PanelControl {
 public:
  virtual ~PanelControl() = default;
  // Shows the panel at once at the top of the screen and freezes the cycle.
  virtual void ShowPanelManaul() = 0;
  // Releases a freeze without resetting anything.
  virtual void Time3active() = 0;
  // Reloads settings, skin and texts, resets the count and releases a freeze.
  virtual void Update(bool redraw) = 0;
};

}  // namespace quorbel
