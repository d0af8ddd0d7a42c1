#pragma once
// The registry export format ("REGEDIT4") as a settings file people can read
// and edit by hand:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\QuorbelClock]
//   "Hours"=dword:00000002
//   "Background"="C:\\skins\\sky.png"
//
// Key paths, value names and text data are UTF-8 in the file and registry
// text (reg_text.h) in the values given and returned. Other types, and data a quoted string cannot
// carry, are "hex:" (REG_BINARY) or "hex(N):" byte lists, as regedit writes
// them. These work on the file's bytes; a write changes only the lines of the
// value it sets and keeps every other byte, comments and unknown lines too.
#include <optional>
#include <string>
#include <string_view>

#include "settings/registry.h"

namespace quorbel {

// The value as the file holds it: of all lines under a section of that root
// and key path naming it, the last whose data can be read. Key paths and
// names compare without regard to ASCII case; malformed lines, sections of
// unknown roots and a data part that does not parse are passed over.
std::optional<RegValue> ReadRegFileValue(std::string_view file, RegRoot root,
                                         std::string_view key_path, std::string_view name);

// The file with the value set: its last line replaced and any earlier lines
// naming it removed, or a line added at the end of its section, or the
// section added at the end of the file. New lines end as the file's first
// line does. Nothing when the key path or name holds a control character or
// does not survive the way through UTF-8.
std::optional<std::string> WriteRegFileValue(std::string_view file, RegRoot root,
                                             std::string_view key_path, std::string_view name,
                                             const RegValue& value);

// The file without any line naming the value; nothing when it holds no
// readable value of that name.
std::optional<std::string> DeleteRegFileValue(std::string_view file, RegRoot root,
                                              std::string_view key_path, std::string_view name);

}  // namespace quorbel
