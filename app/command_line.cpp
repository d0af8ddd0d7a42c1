#include "app/command_line.h"

#include <algorithm>

namespace quorbel {

Text JoinArguments(const std::vector<std::string>& utf8_arguments) {
  std::string line;
  for (const std::string& argument : utf8_arguments) {
    if (!line.empty()) line += ' ';
    const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
    line += quote ? '"' + argument + '"' : argument;
  }
  return FromUtf8(line);
}

std::string_view ArgumentsAfterProgramName(std::string_view command_line) {
  size_t at = 0;
  bool quoted = false;
  while (at < command_line.size() && (quoted || (command_line[at] != ' ' && command_line[at] != '\t'))) {
    if (command_line[at] == '"') quoted = !quoted;
    ++at;
  }
  at = std::min(command_line.find_first_not_of(" \t", at), command_line.size());
  return command_line.substr(at);
}

}  // namespace quorbel
