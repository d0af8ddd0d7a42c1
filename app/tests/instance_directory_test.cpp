#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>

#include "app/instance_directory.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

constexpr uint32_t kUser = 1000;
constexpr uint32_t kOtherUser = 1001;
const fs::path kRuntime = "/run/user/1000";
const fs::path kFallback = "/tmp/quorbel-clock-1000";

DirectoryFacts PrivateDirectory(uint32_t owner = kUser) { return {true, false, true, owner, 0700, true}; }

// A file system of directory entries only; what it changes is recorded.
class FakeDirectorySystem : public DirectorySystem {
 public:
  std::map<fs::path, DirectoryFacts> entries;
  std::set<fs::path> changed;

  DirectoryFacts Inspect(const fs::path& path, bool) override {
    const auto found = entries.find(path);
    return found == entries.end() ? DirectoryFacts{} : found->second;
  }
  void MakePrivateDirectory(const fs::path& path) override {
    changed.insert(path);
    entries[path] = PrivateDirectory();
  }
  void RestrictToOwner(const fs::path& path) override {
    changed.insert(path);
    entries[path].permissions = 0700;
  }
};

TEST(InstanceDirectory, ARuntimeDirectoryOthersCouldReachFallsBackToAPrivateOneAndSaysWhy) {
  FakeDirectorySystem usable;
  usable.entries[kRuntime] = PrivateDirectory();
  EXPECT_EQ(ChooseInstanceDirectory(kRuntime.string(), "/tmp", kUser, usable).path, kRuntime);
  EXPECT_TRUE(usable.changed.empty());

  DirectoryFacts open = PrivateDirectory();
  open.permissions = 0755;
  DirectoryFacts read_only = PrivateDirectory();
  read_only.writable = false;
  const struct {
    std::string env;
    std::optional<DirectoryFacts> facts;
    std::string why;
  } cases[] = {
      {"", std::nullopt, "XDG_RUNTIME_DIR is not set"},
      {kRuntime.string(), std::nullopt, "XDG_RUNTIME_DIR /run/user/1000 does not exist"},
      // As after "su": the variable still names the first user's directory.
      {kRuntime.string(), PrivateDirectory(kOtherUser), "XDG_RUNTIME_DIR /run/user/1000 belongs to another user"},
      {kRuntime.string(), open, "XDG_RUNTIME_DIR /run/user/1000 is open to other users"},
      {kRuntime.string(), read_only, "XDG_RUNTIME_DIR /run/user/1000 is not writable"},
  };
  for (const auto& each : cases) {
    FakeDirectorySystem system;
    if (each.facts) system.entries[fs::path(each.env)] = *each.facts;
    const InstanceDirectory chosen = ChooseInstanceDirectory(each.env, "/tmp", kUser, system);
    EXPECT_EQ(chosen.path, kFallback) << each.why;
    EXPECT_EQ(chosen.notice, each.why + "; using /tmp/quorbel-clock-1000");
    EXPECT_EQ(system.entries[kFallback].permissions, 0700u) << each.why;
  }
}

TEST(InstanceDirectory, TheUsersOwnFallbackIsClosedToOthersAgain) {
  FakeDirectorySystem system;
  system.entries[kFallback] = PrivateDirectory();
  system.entries[kFallback].permissions = 0777;
  EXPECT_EQ(ChooseInstanceDirectory("", "/tmp", kUser, system).path, kFallback);
  EXPECT_EQ(system.entries[kFallback].permissions, 0700u);
}

TEST(InstanceDirectory, AFallbackAnotherUserCouldHaveMadeIsRefusedAndLeftAlone) {
  DirectoryFacts link = PrivateDirectory();
  link.symbolic_link = true;
  link.permissions = 0777;
  const std::pair<DirectoryFacts, std::string> cases[] = {
      {link, "is a symbolic link"},
      {PrivateDirectory(kOtherUser), "belongs to another user"},
  };
  for (const auto& [facts, why] : cases) {
    FakeDirectorySystem system;
    system.entries[kFallback] = facts;
    const InstanceDirectory chosen = ChooseInstanceDirectory("", "/tmp", kUser, system);
    EXPECT_EQ(chosen.path, fs::path()) << why;
    EXPECT_EQ(chosen.notice, "XDG_RUNTIME_DIR is not set, and /tmp/quorbel-clock-1000 is refused: it " + why);
    EXPECT_TRUE(system.changed.empty()) << why;
  }
}

}  // namespace
}  // namespace quorbel
