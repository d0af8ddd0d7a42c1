#pragma once
// A command line as one string, the form the running instance is handed:
// made from the Linux program's arguments, taken from the Windows program's
// own command line.
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace quorbel {

// The arguments as one string, the form a Windows command line has: each one
// quoted when it is empty or holds a blank, joined by single spaces.
Text JoinArguments(const std::vector<std::string>& utf8_arguments);

// The arguments of a Windows command line as one string: everything after
// the program's own name (quoted or not) and the blanks that follow it.
std::string_view ArgumentsAfterProgramName(std::string_view command_line);

}  // namespace quorbel
