#pragma once
// Config.ini where the shipped copy may not be written (a system-wide data
// directory): the user's own copy, once there is one, stands for the shipped
// file in every read, and the first write makes it.
#include "settings/mod_ini.h"

namespace quorbel {

// Reads and writes of any other path go to `files` unchanged, and so do those
// of the shipped path when there is no user path (no config home). Paths
// compare as the file system names them ("\" and "/" alike, "." and ".."
// resolved).
class UserConfigIniStore : public ProfileStore {
 public:
  UserConfigIniStore(ProfileStore& files, Text shipped_config_ini, Text user_config_ini)
      : files_(files),
        shipped_config_ini_(std::move(shipped_config_ini)),
        user_config_ini_(std::move(user_config_ini)) {}

  // The shipped path reads the user's copy when that is a file, even for a
  // key the copy lacks: the copy is the user's whole Config.ini.
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  // The shipped path writes the user's copy, made first from the shipped
  // file byte for byte. Fails, leaving no copy, when the shipped file cannot
  // be read (a copy of one entry would hide every other text) or the entry
  // cannot be written.
  bool Write(TextView path, TextView section, TextView key, TextView value) override;

 private:
  bool IsShipped(TextView path) const;
  bool UserCopyExists() const;

  ProfileStore& files_;
  Text shipped_config_ini_;
  Text user_config_ini_;
};

}  // namespace quorbel
