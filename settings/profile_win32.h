#pragma once
// Config.ini through the platform's own profile functions.
#include "settings/mod_ini.h"

namespace quorbel {

// GetPrivateProfileStringA and WritePrivateProfileStringA. Only full paths
// are used: the platform would look for a bare file name in the Windows
// directory. An entry that would not read back as written (a line break in
// it, an empty name) is not written.
class ProfileWin32 : public ProfileStore {
 public:
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  bool Write(TextView path, TextView section, TextView key, TextView value) override;
};

// "C:\..." or "\\server\...".
bool IsFullWindowsPath(TextView path);

}  // namespace quorbel
