#pragma once
// Config.ini as the program uses it on Windows: read by the platform's
// profile functions, written by the portable writer. The platform's writer
// lays the whole file out anew (Wine drops blank lines and the blanks around
// names), while the portable one changes the one value only and replaces the
// file through a temporary one, so a skin author's file keeps every other
// byte and a crash never leaves it cut short.
#include "settings/mod_ini.h"

namespace quorbel {

class ConfigIniStore : public ProfileStore {
 public:
  ConfigIniStore(ProfileStore& reader, ProfileStore& writer) : reader_(reader), writer_(writer) {}

  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    return reader_.Read(path, section, key, fallback);
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
  ProfileStore& reader_;
  ProfileStore& writer_;
};

}  // namespace quorbel
