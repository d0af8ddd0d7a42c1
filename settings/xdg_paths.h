#pragma once
// Where the per-user files live on a desktop that follows the XDG base
// directory rules. Each function takes the values of $XDG_CONFIG_HOME and
// $HOME (empty when unset; see EnvironmentValue).
#include <filesystem>
#include <string>
#include <string_view>

namespace quorbel {

// An environment variable's value; empty when it is not set.
std::string EnvironmentValue(const char* name);

// $XDG_CONFIG_HOME, or $HOME/.config when that is unset or not an absolute
// path, as the rules say; an empty path when neither gives an absolute one,
// so nothing is ever written relative to the working directory.
std::filesystem::path XdgConfigHome(std::string_view xdg_config_home, std::string_view home);

// <config home>/quorbel-clock/settings.reg
std::filesystem::path UserSettingsFile(std::string_view xdg_config_home, std::string_view home);
// <config home>/autostart/quorbel-clock.desktop
std::filesystem::path UserAutostartFile(std::string_view xdg_config_home, std::string_view home);
// <config home>/quorbel-clock/Config.ini
std::filesystem::path UserConfigIni(std::string_view xdg_config_home, std::string_view home);

}  // namespace quorbel
