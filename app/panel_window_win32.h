#pragma once
// The panel's top-level window on Windows: borderless, top-most, per-pixel
// alpha, a tool window off the taskbar that never takes the keyboard focus.
// It stands where the cycle puts it; the tray menu alone closes it. The
// cycle's tops and heights are logical (96-dpi) pixels; the window is sized
// and moved in its monitor's pixels.
#include <cstdint>
#include <functional>
#include <memory>

#include "app/ports.h"
#include "common/display_scale.h"

namespace quorbel {

class Win32PanelWindow : public PanelWindow {
 public:
  // Each WM_TIMER's identifier goes to `on_timer`. Nothing when the window
  // (or its class) could not be made.
  static std::unique_ptr<Win32PanelWindow> Create(std::function<void(uintptr_t)> on_timer);

  // The window's HWND.
  virtual void* Handle() const = 0;
  // Centred at the top of the screen.
  virtual void PlaceAtTop() = 0;
  virtual void SetTopMost() = 0;
  virtual void ShowNoActivate() = 0;
  // The scale of the monitor the window shows on, and `changed` called with
  // the new one after the window has taken its size there.
  virtual DisplayScale Scale() const = 0;
  virtual void OnScaleChange(std::function<void(const DisplayScale&)> changed) = 0;
};

}  // namespace quorbel
