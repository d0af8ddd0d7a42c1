#pragma once
// Where the Linux program finds its running instance, decided without the
// platform so the choice is tested.
#include <filesystem>
#include <string_view>

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

}  // namespace quorbel
