#include "settings/mod_ini.h"

namespace quorbel {

Text MakeAppDir(TextView directory, char16_t separator) {
  Text dir(directory);
  if (dir.empty() || dir.back() != separator) dir.push_back(separator);
  return dir;
}

Text ModIni::IniRead(TextView file, TextView section, TextView key, TextView fallback) const {
  return TrimSpaces(store_.Read(app_dir_ + Text(file), section, key, fallback));
}

void ModIni::IniWrite(TextView file, TextView section, TextView key, TextView value) const {
  store_.Write(app_dir_ + Text(file), section, key, value);
}

}  // namespace quorbel
