#include "app/app_paths.h"

namespace quorbel {
namespace fs = std::filesystem;

namespace {

std::string DisplaySuffix(std::string_view display) {
  std::string suffix;
  for (const char c : display) {
    const bool kept = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
    suffix += kept ? c : '_';
  }
  return suffix.empty() ? suffix : "-" + suffix;
}

}  // namespace

InstanceAddress InstanceAddressIn(const fs::path& directory, std::string_view display) {
  const std::string stem = "quorbel-clock" + DisplaySuffix(display);
  return {directory / (stem + ".lock"), directory / (stem + ".socket")};
}

Text JoinArguments(const std::vector<std::string>& utf8_arguments) {
  std::string line;
  for (const std::string& argument : utf8_arguments) {
    if (!line.empty()) line += ' ';
    const bool quote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
    line += quote ? '"' + argument + '"' : argument;
  }
  return FromUtf8(line);
}

}  // namespace quorbel
