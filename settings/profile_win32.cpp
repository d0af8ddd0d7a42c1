#include "settings/profile_win32.h"

#include <windows.h>

#include <algorithm>

#include "common/ansi.h"
#include "settings/profile.h"

namespace quorbel {
namespace {

constexpr DWORD kReadBufferSize = kMaxProfileValue + 1;

bool IsAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

}  // namespace

bool IsFullWindowsPath(TextView path) {
  if (path.size() >= 3 && IsAsciiLetter(path[0]) && path[1] == u':' &&
      (path[2] == u'\\' || path[2] == u'/')) {
    return true;
  }
  return path.size() >= 3 && path.substr(0, 2) == u"\\\\";
}

Text ProfileWin32::Read(TextView path, TextView section, TextView key, TextView fallback) {
  if (!IsFullWindowsPath(path)) return Text(fallback);
  std::string buffer(kReadBufferSize, '\0');
  const DWORD length =
      GetPrivateProfileStringA(ToAnsi(section).c_str(), ToAnsi(key).c_str(),
                               ToAnsi(fallback).c_str(), buffer.data(), kReadBufferSize,
                               ToAnsi(path).c_str());
  buffer.resize(std::min<DWORD>(length, kMaxProfileValue));
  return FromAnsi(buffer);
}

bool ProfileWin32::Write(TextView path, TextView section, TextView key, TextView value) {
  const std::string ansi_section = ToAnsi(section);
  const std::string ansi_key = ToAnsi(key);
  const std::string ansi_value = ToAnsi(value);
  if (!IsFullWindowsPath(path) || !IsWritableProfileEntry(ansi_section, ansi_key, ansi_value)) {
    return false;
  }
  return WritePrivateProfileStringA(ansi_section.c_str(), ansi_key.c_str(), ansi_value.c_str(),
                                    ToAnsi(path).c_str()) != FALSE;
}

}  // namespace quorbel
