#pragma once
// Config.ini where the shipped file may not be written (a system-wide data
// directory): the user's own Config.ini lies over it and holds only what the
// user set, so a later package's new skins and texts still reach the user.
#include "settings/mod_ini.h"
#include "settings/profile_file.h"

namespace quorbel {

// The first line of a user's file made by this store. A user's file without
// it is a whole copy of an older shipped file, made by an earlier version.
inline constexpr char kUserConfigIniMark[] =
    "; Your own settings: a key here wins, every other comes from the shipped Config.ini.";

// Reads and writes of any other path go to `files` unchanged, and so do those
// of the shipped path when there is no user path (no config home). Paths
// compare as the file system names them ("\" and "/" alike, "." and ".."
// resolved).
class UserConfigIniStore : public ProfileStore {
 public:
  UserConfigIniStore(ProfileFile& files, Text shipped_config_ini, Text user_config_ini)
      : files_(files),
        shipped_config_ini_(std::move(shipped_config_ini)),
        user_config_ini_(std::move(user_config_ini)) {}

  // A read of the shipped path takes the user's value where UsersValueWins,
  // else the shipped one. "Count" in "Skins" is the larger of the two, so
  // skins a package adds show beside the ones the user added.
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  // A write of the shipped path sets the entry in the user's file, made
  // first with kUserConfigIniMark as its only line when it is missing, under
  // an UpdateLock (so another copy's entry is not lost).
  bool Write(TextView path, TextView section, TextView key, TextView value) override;
  Text SourceOf(TextView path, TextView section, TextView key) override;
  void BeginOperation() override { files_.BeginOperation(); }
  void EndOperation() override { files_.EndOperation(); }

 private:
  bool IsShipped(TextView path) const;
  // In a file made by this store, every key the user's file holds. In a copy
  // by an earlier version only "Selected" and "Language" of "Skins" and keys
  // the shipped file lacks (the user's own skins and languages): the copy's
  // other keys are an older package's.
  bool UsersValueWins(TextView section, TextView key);
  Text LargerCount(TextView fallback);

  ProfileFile& files_;
  Text shipped_config_ini_;
  Text user_config_ini_;
};

}  // namespace quorbel
