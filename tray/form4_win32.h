#pragma once
// Form4's hidden window that owns the tray menu and carries out its
// commands. It is never shown; the menu pops up at the pointer. Closing it
// (WM_CLOSE, by its class "QuorbelClock.Form4") or the end of the session
// runs the menu's Exit.
#include <memory>

#include "panel/panel_control.h"
#include "settings/mod_ini.h"
#include "tray/form4.h"

struct HMENU__;
struct HWND__;

namespace quorbel {

class Win32Form4 {
 public:
  // Loads: reads the menu texts from Config.ini once and builds menu_Main
  // (menu_Setting, menu_About, the separator menu_Split, menu_Exit). The
  // callbacks run from the message loop after the menu has closed; they must
  // not destroy this object.
  Win32Form4(const ModIni& ini, PanelControl& panel, TrayMenuActions actions);
  Win32Form4(const Win32Form4&) = delete;
  Win32Form4& operator=(const Win32Form4&) = delete;
  ~Win32Form4();

  // Pops menu_Main up with its top-left corner at the screen point (default
  // alignment, left button). Returns when the menu has closed; the chosen
  // item's command follows from the message loop. Does nothing once unloaded.
  void ShowMenuAt(int x, int y);
  void ShowMenuAtPointer();

  // Plays "start.wav" beside the executable to its end; a missing or
  // unplayable file plays nothing, not even the system's default sound.
  void PlaySound() const;

  // Destroys the window and the menu; Exit does this itself.
  void Unload();
  bool IsLoaded() const;

  const TrayMenuTexts& Texts() const;
  HWND__* Window() const;
  HMENU__* MainMenu() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
