#pragma once
// Where the Linux program finds its running instance, and the command line
// it hands over, decided without the platform so the choices are tested.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace quorbel {

// The lock that makes an instance the first one, and the local socket that
// instance listens on for a second one's command line.
struct InstanceAddress {
  std::filesystem::path lock_file;
  std::filesystem::path socket;
};

// Per X display (the desktop session, as a Windows session has one
// instance), in the user's private instance directory. In the display name
// ($DISPLAY) all but letters, digits and "." become "_".
InstanceAddress InstanceAddressIn(const std::filesystem::path& directory, std::string_view display);

// The arguments as one string, the form a Windows command line has: each one
// quoted when it is empty or holds a blank, joined by single spaces.
Text JoinArguments(const std::vector<std::string>& utf8_arguments);

}  // namespace quorbel
