#pragma once
// Config.ini through the portable profile reader and writer, on real files.
#include <optional>

#include "settings/mod_ini.h"

namespace quorbel {

// Text is taken in the ANSI code page, as UTF-8 in a file that starts with a
// UTF-8 byte-order mark, or as UTF-16 in one that starts with a UTF-16 mark
// (values then cut as a UTF-8 file's). A write changes the bytes of the one
// entry only, in the file's own encoding, and replaces the whole file through
// a temporary one, so Config.ini is never left cut short.
class ProfileFile : public ProfileStore {
 public:
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  // The value as Read gives it, or nothing when the file, the section or the
  // key is missing.
  std::optional<Text> Find(TextView path, TextView section, TextView key);
  bool Write(TextView path, TextView section, TextView key, TextView value) override;
};

}  // namespace quorbel
