#pragma once
// Config.ini beside the executable: the application directory and the
// profile-file routines over the platform's profile functions.
#include "common/text.h"

namespace quorbel {

// The platform's profile-file functions, given full paths.
class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The value (at most 4999 characters, trimmed, one pair of matching quotes
  // removed), or `fallback` when the file, section or key is missing.
  virtual Text Read(TextView path, TextView section, TextView key, TextView fallback) = 0;
  // Replaces the value in place, adds a missing key or section, creates a
  // missing file. False when the file could not be written.
  virtual bool Write(TextView path, TextView section, TextView key, TextView value) = 0;
  // The file a read of `path` takes the entry from: `path` itself unless the
  // store lays another file over it.
  virtual Text SourceOf(TextView path, TextView /*section*/, TextView /*key*/) {
    return Text(path);
  }
  // Reads between the two may take a file as the first of them found it
  // (see SettingsOperation).
  virtual void BeginOperation() {}
  virtual void EndOperation() {}
};

inline constexpr char16_t kConfigFile[] = u"Config.ini";

// `directory` with exactly one trailing separator added unless it already
// ends in one (a drive root such as "C:\").
Text MakeAppDir(TextView directory, char16_t separator = u'\\');

class ModIni {
 public:
  ModIni(ProfileStore& store, Text app_dir) : store_(store), app_dir_(std::move(app_dir)) {}

  const Text& AppDir() const { return app_dir_; }
  // The value of `key`, with leading and trailing spaces removed, or
  // `fallback` when it is missing. `file` is relative to AppDir().
  Text IniRead(TextView file, TextView section, TextView key, TextView fallback) const;
  void IniWrite(TextView file, TextView section, TextView key, TextView value) const;
  // The full path of the file (a skin image, a thumbnail) that `key` names:
  // AppDir() followed by the value, or, for a value another file laid over
  // `file` gave, the directory of that file followed by the value when such a
  // file is there (a user's own skin lies beside the user's Config.ini, while
  // a copy made by an earlier version names images beside the program).
  Text IniFilePath(TextView file, TextView section, TextView key) const;

  void BeginOperation() const { store_.BeginOperation(); }
  void EndOperation() const { store_.EndOperation(); }

 private:
  ProfileStore& store_;
  Text app_dir_;
};

}  // namespace quorbel
