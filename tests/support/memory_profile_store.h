#pragma once
// Config.ini files kept in memory: (path, section, key) to value. Paths,
// sections and keys compare without regard to ASCII case, as the platforms'
// profile readers do; every read is recorded for tests that ask what was read.
#include <map>
#include <tuple>
#include <vector>

#include "settings/mod_ini.h"

namespace quorbel::testing {

class MemoryProfileStore : public ProfileStore {
 public:
  struct ReadCall {
    Text section;
    Text key;
    Text fallback;
  };

  void Set(TextView path, TextView section, TextView key, TextView value) {
    entries_[Address(path, section, key)] = Text(value);
  }

  Text Read(TextView path, TextView section, TextView key, TextView fallback) override {
    reads_.push_back({Text(section), Text(key), Text(fallback)});
    const auto found = entries_.find(Address(path, section, key));
    return found == entries_.end() ? Text(fallback) : found->second;
  }

  bool Write(TextView path, TextView section, TextView key, TextView value) override {
    Set(path, section, key, value);
    return true;
  }

  const std::vector<ReadCall>& reads() const { return reads_; }
  void ClearReads() { reads_.clear(); }

 private:
  static Text Lower(TextView text) {
    Text lower(text);
    for (char16_t& c : lower) {
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return lower;
  }
  static std::tuple<Text, Text, Text> Address(TextView path, TextView section, TextView key) {
    return {Lower(path), Lower(section), Lower(key)};
  }

  std::map<std::tuple<Text, Text, Text>, Text> entries_;
  std::vector<ReadCall> reads_;
};

}  // namespace quorbel::testing
