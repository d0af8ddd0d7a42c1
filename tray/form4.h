#pragma once
// The tray menu's texts and commands, apart from any window: what the menu
// says in the user's language and what each item does, in which order.
#include <functional>
#include <optional>

#include "panel/panel_control.h"
#include "common/text.h"
#include "settings/mod_ini.h"

namespace quorbel {

// The language section the texts came from, and the three item captions.
// A single "&" marks the access key, as the menu draws it.
struct TrayMenuTexts {
  Text language;
  Text setting;
  Text about;
  Text exit;
};

// Reads "Language" from "Skins" (default "TitleEN"), then the three captions
// from that section, each with its English default.
TrayMenuTexts ReadTrayMenuTexts(const ModIni& ini);

// The product's upgrade and skin-download page.
inline constexpr char kProductWebAddress[] = "https://www.quorbel.com";

// The start sound beside the executable.
Text StartSoundPath(const ModIni& ini);

// Menu item identifiers, top to bottom (the separator has none).
enum class TrayMenuCommand { Setting = 1, About = 2, Exit = 3 };

// What the program around the menu does for it. Empty callbacks are skipped.
struct TrayMenuActions {
  // Shows the settings dialog (one instance; showing it again brings it to
  // the front).
  std::function<void()> show_settings;
  // Closes an open settings dialog as its title bar's close button would,
  // storing nothing; does nothing when it is not open.
  std::function<void()> close_settings;
  // Unloads the panel window: removes the tray icon and ends the message loop.
  std::function<void()> unload_form1;
};

// What the menu host does on the platform itself.
struct TrayMenuPlatform {
  std::function<void()> open_web_page;
  std::function<void()> unload_menu_host;
};

class TrayMenuCommands {
 public:
  TrayMenuCommands(PanelControl& panel, TrayMenuActions actions, TrayMenuPlatform platform)
      : panel_(panel), actions_(std::move(actions)), platform_(std::move(platform)) {}

  // Setting: the panel on demand, then the dialog. About: the web page.
  // Exit: the dialog closed, then the menu host, then the panel window, so
  // that no window is left to keep the process alive.
  void Run(TrayMenuCommand command) const;

 private:
  PanelControl& panel_;
  TrayMenuActions actions_;
  TrayMenuPlatform platform_;
};

// The menu's command for a menu item identifier, or nothing for an identifier
// that is not one of the menu's.
std::optional<TrayMenuCommand> CommandForItem(int item_id);

// The menu host apart from its window: the texts read once at load, the start
// sound beside the executable and what each item does.
class Form4 {
 public:
  Form4(const ModIni& ini, PanelControl& panel, TrayMenuActions actions, TrayMenuPlatform platform)
      : texts_(ReadTrayMenuTexts(ini)),
        start_sound_(StartSoundPath(ini)),
        commands_(panel, std::move(actions), std::move(platform)) {}

  const TrayMenuTexts& Texts() const { return texts_; }
  const Text& StartSound() const { return start_sound_; }
  void Run(TrayMenuCommand command) const { commands_.Run(command); }
  // Runs the item's command; false when the identifier is not the menu's.
  bool RunItem(int item_id) const;

 private:
  TrayMenuTexts texts_;
  Text start_sound_;
  TrayMenuCommands commands_;
};

}  // namespace quorbel
