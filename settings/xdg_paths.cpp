#include "settings/xdg_paths.h"

#include <cstdlib>

namespace quorbel {
namespace fs = std::filesystem;
namespace {

// A file under the config home; empty when there is none.
fs::path UnderConfigHome(std::string_view xdg_config_home, std::string_view home,
                         std::string_view directory, std::string_view file) {
  const fs::path base = XdgConfigHome(xdg_config_home, home);
  return base.empty() ? fs::path() : base / directory / file;
}

}  // namespace

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

fs::path XdgConfigHome(std::string_view xdg_config_home, std::string_view home) {
  const fs::path configured(xdg_config_home);
  if (configured.is_absolute()) return configured;
  const fs::path home_path(home);
  return home_path.is_absolute() ? home_path / ".config" : fs::path();
}

fs::path UserSettingsFile(std::string_view xdg_config_home, std::string_view home) {
  return UnderConfigHome(xdg_config_home, home, "quorbel-clock", "settings.reg");
}

fs::path UserAutostartFile(std::string_view xdg_config_home, std::string_view home) {
  return UnderConfigHome(xdg_config_home, home, "autostart", "quorbel-clock.desktop");
}

fs::path UserConfigIni(std::string_view xdg_config_home, std::string_view home) {
  return UnderConfigHome(xdg_config_home, home, "quorbel-clock", "Config.ini");
}

}  // namespace quorbel
