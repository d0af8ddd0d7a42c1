#pragma once
// Config.ini through the portable profile reader and writer, on real files.
#include "settings/mod_ini.h"

namespace quorbel {

// Text is taken in the ANSI code page, or as UTF-8 in a file that starts
// with a UTF-8 byte-order mark. A write replaces the whole file through a
// temporary one, so Config.ini is never left cut short.
class ProfileFile : public ProfileStore {
 public:
  Text Read(TextView path, TextView section, TextView key, TextView fallback) override;
  bool Write(TextView path, TextView section, TextView key, TextView value) override;
};

}  // namespace quorbel
