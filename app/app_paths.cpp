#include "app/app_paths.h"

#include <string>

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

}  // namespace quorbel
