#pragma once
// The XDG autostart entry that starts the program at log-in, seen as the
// command a Run key holds: the program's path as AutostartCommand writes it,
// then any arguments (in double quotes when they hold a space), as registry
// text (reg_text.h).
// The entry's Exec line holds the same command with the desktop entry
// quoting, in UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace quorbel {

// The whole desktop entry file that starts `command`; nothing when the command
// cannot be written so that it reads back the same (no program named, a
// control character, an "=" in the program's path, a quote inside a word).
std::optional<std::string> AutostartDesktopEntry(std::string_view command);

// The command the entry starts; nothing when it names none, or when the
// desktop would not start it ("Hidden=true", or
// "X-GNOME-Autostart-enabled=false").
std::optional<std::string> AutostartCommandOf(std::string_view desktop_file);

}  // namespace quorbel
