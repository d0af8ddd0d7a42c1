#pragma once
// Config.ini across an upgrade: the new version's shipped file, carrying over
// what the user chose and added in the installed one.
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The new shipped file, byte for byte, with from the user's file:
// - "Language" of [Skins], and "Selected", renumbered when the selected skin
//   moves (a selection that names no skin is kept as it was);
// - each skin whose picture (BitmapN) the new file does not ship, numbered
//   after the shipped ones, with "Count" raised to match;
// - each section the new file lacks (a language the user added), whole, at
//   the end.
// Texts and skins both files hold come from the new file. Nothing when either
// file starts with a byte-order mark: its bytes are then not in the ANSI code
// page the shipped file is written in, and the caller keeps the user's file.
std::optional<std::string> UpgradeConfigIni(std::string_view users, std::string_view shipped);

}  // namespace quorbel
