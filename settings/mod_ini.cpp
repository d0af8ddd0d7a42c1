#include "settings/mod_ini.h"

#include <system_error>

#include "common/native_path.h"
#include "settings/atomic_file.h"

namespace quorbel {
namespace {

// The directory part of `path`, with its trailing separator.
Text DirectoryOf(TextView path) {
  const size_t separator = path.find_last_of(u"/\\");
  return Text(path.substr(0, separator == TextView::npos ? 0 : separator + 1));
}

bool IsFile(TextView path) {
  std::error_code error;
  return std::filesystem::is_regular_file(PathFromText(SlashPath(path)), error);
}

}  // namespace

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

Text ModIni::IniFilePath(TextView file, TextView section, TextView key) const {
  const Text path = app_dir_ + Text(file);
  const Text name = IniRead(file, section, key, u"");
  const Text source = store_.SourceOf(path, section, key);
  if (source == path) return app_dir_ + name;
  const Text beside_source = DirectoryOf(source) + name;
  return IsFile(beside_source) ? beside_source : app_dir_ + name;
}

}  // namespace quorbel
