#pragma once
// Config.ini as the program uses it on Windows: read by the platform's
// profile functions, written by the portable writer. The platform's writer
// lays the whole file out anew (Wine drops blank lines and the blanks around
// names), while the portable one changes the one value only and replaces the
// file through a temporary one, so a skin author's file keeps every other
// byte and a crash never leaves it cut short. A file past the settings
// files' bound is read by the portable reader too, within the bound: the
// platform's reads a file whole, and Wine keeps it in memory.
#include <filesystem>
#include <system_error>

#include "settings/atomic_file.h"
#include "settings/mod_ini.h"
#include "settings/settings_files.h"

namespace quorbel {

class ConfigIniStore : public ProfileStore {
 public:
  ConfigIniStore(ProfileStore& reader, ProfileStore& writer) : reader_(reader), writer_(writer) {}

  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    return PastTheBound(path) ? writer_.Read(path, section, key, fallback)
                              : reader_.Read(path, section, key, fallback);
  }
  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    return writer_.Write(path, section, key, value);
  }
  void BeginOperation() override {
    reader_.BeginOperation();
    writer_.BeginOperation();
  }
  void EndOperation() override {
    writer_.EndOperation();
    reader_.EndOperation();
  }

 private:
  static bool PastTheBound(TextView path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(PathFromText(path), error);
    return !error && size > kSettingsFileBound;
  }

  ProfileStore& reader_;
  ProfileStore& writer_;
};

}  // namespace quorbel
