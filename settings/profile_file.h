#pragma once
// Config.ini through the portable profile reader and writer, on real files.
#include <optional>
#include <string>

#include "settings/mod_ini.h"
#include "settings/settings_files.h"

namespace quorbel {

// Text is taken in the ANSI code page, as UTF-8 in a file that starts with a
// UTF-8 byte-order mark, or as UTF-16 in one that starts with a UTF-16 mark
// (values then cut as a UTF-8 file's). A write changes the bytes of the one
// entry only, in the file's own encoding, and replaces the whole file through
// a temporary one, so Config.ini is never left cut short. Files are read
// through `files`, within its bound: a file past it is never written.
class ProfileFile : public ProfileStore {
 public:
  ProfileFile() : files_(own_files_) {}
  explicit ProfileFile(SettingsFiles& files) : files_(files) {}

  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  // The value as Read gives it, or nothing when the file, the section or the
  // key is missing.
  std::optional<Text> Find(TextView path, TextView section, TextView key);
  // The file's first line as the reader sees it (UTF-8 for a UTF-16 file),
  // without the byte-order mark; nothing when the file cannot be read.
  std::optional<std::string> FirstLine(TextView path);
  bool Write(TextView path, TextView section, TextView key, TextView value) override;

  void BeginOperation() override { files_.BeginOperation(); }
  void EndOperation() override { files_.EndOperation(); }

 private:
  SettingsFiles own_files_;
  SettingsFiles& files_;
};

}  // namespace quorbel
