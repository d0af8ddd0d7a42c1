#include "tray/form4.h"

#include "settings/settings_operation.h"

namespace quorbel {
namespace {

void Call(const std::function<void()>& action) {
  if (action) action();
}

}  // namespace

TrayMenuTexts ReadTrayMenuTexts(const ModIni& ini) {
  const SettingsOperation operation(ini);
  TrayMenuTexts texts;
  texts.language = ini.IniRead(kConfigFile, u"Skins", u"Language", u"TitleEN");
  texts.setting = ini.IniRead(kConfigFile, texts.language, u"MenuSetting", u"Setting");
  texts.about = ini.IniRead(kConfigFile, texts.language, u"MenuAbout", u"Upgrade & Download Skin");
  texts.exit = ini.IniRead(kConfigFile, texts.language, u"MenuExit", u"Exit");
  return texts;
}

Text StartSoundPath(const ModIni& ini) { return ini.AppDir() + u"start.wav"; }

void TrayMenuCommands::Run(TrayMenuCommand command) const {
  switch (command) {
    case TrayMenuCommand::Setting:
      panel_.ShowPanelManaul();
      Call(actions_.show_settings);
      break;
    case TrayMenuCommand::About:
      Call(platform_.open_web_page);
      break;
    case TrayMenuCommand::Exit:
      Call(actions_.close_settings);
      Call(platform_.unload_menu_host);
      Call(actions_.unload_form1);
      break;
  }
}

std::optional<TrayMenuCommand> CommandForItem(int item_id) {
  if (item_id < static_cast<int>(TrayMenuCommand::Setting) ||
      item_id > static_cast<int>(TrayMenuCommand::Exit)) {
    return std::nullopt;
  }
  return static_cast<TrayMenuCommand>(item_id);
}

bool Form4::RunItem(int item_id) const {
  const auto command = CommandForItem(item_id);
  if (command) Run(*command);
  return command.has_value();
}

}  // namespace quorbel
