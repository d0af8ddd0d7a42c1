#include "app/app_paths_win32.h"

#include <windows.h>

#include <string>

#include "common/ansi.h"

namespace quorbel {
namespace {

Text ModulePath() {
  std::string buffer(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      return FromAnsi(buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

size_t LastSeparator(const Text& path) { return path.find_last_of(u"\\/"); }

}  // namespace

Text ExeDirectory() {
  const Text path = ModulePath();
  const size_t separator = LastSeparator(path);
  if (separator == Text::npos) return {};
  // "C:\QuorbelClock.exe" lives in "C:\", which keeps its backslash.
  if (separator == 2 && path[1] == u':') return path.substr(0, 3);
  return path.substr(0, separator);
}

Text ExeBaseName() {
  const Text path = ModulePath();
  const size_t separator = LastSeparator(path);
  Text name = separator == Text::npos ? path : path.substr(separator + 1);
  const size_t dot = name.find_last_of(u'.');
  if (dot != Text::npos) name.resize(dot);
  return name;
}

Text ExePathForAutostart() { return ExeDirectory() + u"\\" + ExeBaseName() + u".exe"; }

Text FileBesideExe(TextView name) { return ExeDirectory() + u"\\" + Text(name); }

}  // namespace quorbel
