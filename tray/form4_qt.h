#pragma once
// Form4 for Qt: owns menu_Main, the tray menu, and carries out its commands.
// There is no window of its own to show; the tray icon shows the menu.
#include <functional>
#include <memory>

#include "panel/panel_control.h"
#include "settings/mod_ini.h"
#include "tray/form4.h"

class QMenu;

namespace quorbel {

class QtForm4 {
 public:
  // Reads the menu texts from Config.ini once and builds menu_Main
  // (menu_Setting, menu_About, the separator menu_Split, menu_Exit; a single
  // "&" marks an access key). A chosen item's command runs from the event
  // loop after the menu has closed, so a command may unload the menu.
  // `play_sound` plays a WAV file given by a "/" path to its end.
  QtForm4(const ModIni& ini, PanelControl& panel, TrayMenuActions actions,
          std::function<void(const Text& wav_path)> play_sound);
  QtForm4(const QtForm4&) = delete;
  QtForm4& operator=(const QtForm4&) = delete;
  ~QtForm4();

  // Plays "start.wav" in the application directory.
  void PlaySound() const;

  // The Exit item's command, for the program's other ways to end.
  void Exit();

  // Destroys the menu; Exit does this itself.
  void Unload();
  bool IsLoaded() const;

  const TrayMenuTexts& Texts() const;
  QMenu* MainMenu() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quorbel
