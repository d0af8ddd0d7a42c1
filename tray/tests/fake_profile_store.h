#pragma once
// Config.ini in memory: one map of (path, section, key) to value.
#include <map>
#include <tuple>

#include "settings/mod_ini.h"

namespace quorbel::testing {

class FakeProfileStore : public ProfileStore {
 public:
  void Set(TextView path, TextView section, TextView key, TextView value) {
    values_[{Text(path), Text(section), Text(key)}] = Text(value);
  }

  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    const auto found = values_.find({Text(path), Text(section), Text(key)});
    return found == values_.end() ? Text(fallback) : found->second;
  }

  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    Set(path, section, key, value);
    return true;
  }

 private:
  std::map<std::tuple<Text, Text, Text>, Text> values_;
};

}  // namespace quorbel::testing
