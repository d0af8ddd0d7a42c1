#pragma once
// What a running Linux instance does with a second start's command line.
// Where the desktop has no notification area, the application menu's
// actions start the program a second time with one of two arguments; that
// second start is the only way left to reach the settings or to end it.
#include <algorithm>
#include <cstddef>
#include <string_view>

namespace quorbel {

enum class ForwardedCommand { kNone, kSettings, kExit };

inline constexpr std::string_view kSettingsArgument = "--settings";
inline constexpr std::string_view kExitArgument = "--exit";

// The most the running instance reads of one second start's message: one
// byte more than the longest command, so that a longer one is known to be
// none without reading the rest.
inline constexpr size_t kForwardedMessageLimit = std::max(kSettingsArgument.size(), kExitArgument.size()) + 1;

// The command that `message` (the second start's arguments, joined) is
// exactly; anything else, however close, is none.
ForwardedCommand ParseForwardedCommand(std::string_view message);

}  // namespace quorbel
