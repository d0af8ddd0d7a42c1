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

DirectoryFacts PrivateDirectory(uint32_t owner = kUser) { return {true, false, true, owner, 0700, true}; }

// A file system of directory entries only; what it changes is recorded.
class FakeDirectorySystem : public DirectorySystem {
 public:
  std::map<fs::path, DirectoryFacts> entries;
  std::set<fs::path> changed;

  DirectoryFacts Inspect(const fs::path& path, bool follow_links) override {
    const auto found = entries.find(path);
    if (found == entries.end()) return {};
    // Links are followed to a private directory of the user's.
    return follow_links && found->second.symbolic_link ? PrivateDirectory() : found->second;
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

const fs::path kRuntime = "/run/user/1000";
const fs::path kFallback = "/tmp/quorbel-clock-1000";

TEST(InstanceDirectory, APrivateRuntimeDirectoryIsUsedAsItIs) {
  FakeDirectorySystem system;
  system.entries[kRuntime] = PrivateDirectory();
  const InstanceDirectory chosen = ChooseInstanceDirectory(kRuntime.string(), "/tmp", kUser, system);
  EXPECT_EQ(chosen.path, kRuntime);
  EXPECT_EQ(chosen.notice, "");
  EXPECT_TRUE(system.changed.empty());

  system.entries[kRuntime].symbolic_link = true;
  EXPECT_EQ(ChooseInstanceDirectory(kRuntime.string(), "/tmp", kUser, system).path, kRuntime)
      << "the variable is the user's own: a link there is followed";
}

TEST(InstanceDirectory, ARuntimeDirectoryOthersCouldReachFallsBackAndSaysWhy) {
  DirectoryFacts open = PrivateDirectory();
  open.permissions = 0755;
  DirectoryFacts read_only = PrivateDirectory();
  read_only.writable = false;
  DirectoryFacts file = PrivateDirectory();
  file.directory = false;
  const struct {
    std::string env;
    std::optional<DirectoryFacts> facts;
    std::string why;
  } cases[] = {
      {"", std::nullopt, "XDG_RUNTIME_DIR is not set"},
      {"run/user/1000", PrivateDirectory(), "XDG_RUNTIME_DIR is not an absolute path"},
      {kRuntime.string(), std::nullopt, "XDG_RUNTIME_DIR /run/user/1000 does not exist"},
      // As after "su": the variable still names the first user's directory.
      {kRuntime.string(), PrivateDirectory(kOtherUser), "XDG_RUNTIME_DIR /run/user/1000 belongs to another user"},
      {kRuntime.string(), open, "XDG_RUNTIME_DIR /run/user/1000 is open to other users"},
      {kRuntime.string(), read_only, "XDG_RUNTIME_DIR /run/user/1000 is not writable"},
      {kRuntime.string(), file, "XDG_RUNTIME_DIR /run/user/1000 is not a directory"},
  };
  for (const auto& each : cases) {
    FakeDirectorySystem system;
    if (each.facts) system.entries[fs::path(each.env)] = *each.facts;
    const InstanceDirectory chosen = ChooseInstanceDirectory(each.env, "/tmp", kUser, system);
    EXPECT_EQ(chosen.path, kFallback) << each.why;
    EXPECT_EQ(chosen.notice, each.why + "; using /tmp/quorbel-clock-1000");
    EXPECT_EQ(system.changed, std::set<fs::path>{kFallback}) << "the fallback is made private: " << each.why;
    EXPECT_EQ(system.entries[kFallback].permissions, 0700u);
  }
}

TEST(InstanceDirectory, TheFallbackIsTheUsersOwnAndClosedToOthers) {
  FakeDirectorySystem system;
  system.entries[kFallback] = PrivateDirectory();
  EXPECT_EQ(ChooseInstanceDirectory("", "/tmp", kUser, system).path, kFallback);
  EXPECT_TRUE(system.changed.empty()) << "an existing private fallback is left as it is";

  system.entries[kFallback].permissions = 0777;
  EXPECT_EQ(ChooseInstanceDirectory("", "/tmp", kUser, system).path, kFallback);
  EXPECT_EQ(system.entries[kFallback].permissions, 0700u) << "the user's own directory is closed again";
}

TEST(InstanceDirectory, AFallbackAnotherUserCouldHaveMadeIsRefused) {
  DirectoryFacts link = PrivateDirectory();
  link.symbolic_link = true;
  DirectoryFacts file = PrivateDirectory();
  file.directory = false;
  const std::pair<DirectoryFacts, std::string> cases[] = {
      {link, "is a symbolic link"},
      {PrivateDirectory(kOtherUser), "belongs to another user"},
      {file, "is not a directory"},
  };
  for (const auto& [facts, why] : cases) {
    FakeDirectorySystem system;
    system.entries[kFallback] = facts;
    const InstanceDirectory chosen = ChooseInstanceDirectory("", "/tmp", kUser, system);
    EXPECT_EQ(chosen.path, fs::path()) << why;
    EXPECT_EQ(chosen.notice, "XDG_RUNTIME_DIR is not set, and /tmp/quorbel-clock-1000 is refused: it " + why);
    EXPECT_TRUE(system.changed.empty()) << "nothing of another user's is changed: " << why;
  }
}

}  // namespace
}  // namespace quorbel
