// Two copies of the program, one on each of two displays of one user,
// storing their settings at the same time: each in a process of its own, as
// the file locks between them work per process and open file.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/file_registry.h"
#include "settings/profile_file.h"
#include "settings/tests/temp_dir.h"
#include "settings/user_config_ini.h"

namespace quorbel {
namespace {

constexpr int kStoresEach = 60;

// Runs each job in a process of its own, all at once; true when every one
// ended with success.
bool RunTogether(const std::vector<std::function<bool()>>& jobs) {
  std::vector<pid_t> children;
  for (const auto& job : jobs) {
    const pid_t child = fork();
    if (child == 0) _exit(job() ? 0 : 1);
    if (child < 0) return false;
    children.push_back(child);
  }
  bool all_done = true;
  for (const pid_t child : children) {
    int status = 0;
    all_done = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && all_done;
  }
  return all_done;
}

std::string NameOf(char copy, int i) { return std::string(1, copy) + std::to_string(i); }

TEST(ConcurrentStores, TwoCopiesStoringSettingsAtOnceKeepEveryValueOfBoth) {
  TempDir dir;
  const auto settings = dir / "quorbel-clock" / "settings.reg";
  const auto autostart = dir / "autostart" / "quorbel-clock.desktop";
  FileRegistry registry(settings, autostart);
  ModReg reg(registry);
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 2);

  const auto store = [&](char copy) {
    return [&, copy] {
      FileRegistry own(settings, autostart);
      bool stored = true;
      for (int i = 0; i < kStoresEach; ++i) {
        stored = own.Set(RegRoot::CurrentUser, kSettingsKey, NameOf(copy, i), {kRegSz, NameOf(copy, i)}) && stored;
        stored = own.Set(RegRoot::CurrentUser, kSettingsKey, "Minutes", {kRegSz, NameOf(copy, i)}) && stored;
      }
      return stored;
    };
  };
  // A third copy reads all the while: the value no one changes is always there.
  const auto read = [&] {
    FileRegistry own(settings, autostart);
    ModReg reader(own);
    for (int i = 0; i < 20 * kStoresEach; ++i) {
      if (reader.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours") != 2) return false;
    }
    return true;
  };
  EXPECT_TRUE(RunTogether({store('a'), store('b'), read})) << "a store failed, or a reading missed a value";

  const std::string file = ReadBytes(settings);
  for (const char copy : {'a', 'b'}) {
    for (int i = 0; i < kStoresEach; ++i) {
      EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, NameOf(copy, i)), FromUtf8(NameOf(copy, i)))
          << "lost:\n" << file;
    }
  }
  const Text last = reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Minutes");
  EXPECT_TRUE(last == FromUtf8(NameOf('a', kStoresEach - 1)) || last == FromUtf8(NameOf('b', kStoresEach - 1)))
      << "the value both change is the last writer's";
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 2);
}

// The user's Config.ini is made by the first store: a second copy that
// found it missing too must not make it anew over the first one's value.
TEST(ConcurrentStores, TwoCopiesSettingKeysOfConfigIniAtOnceKeepEveryKey) {
  TempDir dir;
  const Text shipped = TextPath(dir / "share" / "Config.ini");
  const Text users = TextPath(dir / "config" / "quorbel-clock" / "Config.ini");
  std::filesystem::create_directories(dir / "share");
  WriteBytes(dir / "share" / "Config.ini", "[Skins]\r\nSelected=1\r\n");

  const auto store = [&](char copy) {
    return [&, copy] {
      ProfileFile files;
      UserConfigIniStore own(files, shipped, users);
      bool stored = true;
      for (int i = 0; i < kStoresEach; ++i) {
        const Text key = FromUtf8(NameOf(copy, i));
        stored = own.Write(shipped, u"Skins", key, key) && stored;
      }
      return stored;
    };
  };
  EXPECT_TRUE(RunTogether({store('a'), store('b')}));

  ProfileFile files;
  UserConfigIniStore config(files, shipped, users);
  for (const char copy : {'a', 'b'}) {
    for (int i = 0; i < kStoresEach; ++i) {
      const Text key = FromUtf8(NameOf(copy, i));
      EXPECT_EQ(config.Read(shipped, u"Skins", key, u"lost"), key);
    }
  }
  EXPECT_EQ(config.Read(shipped, u"Skins", u"Selected", u""), u"1");
  EXPECT_EQ(ReadBytes(dir / "config" / "quorbel-clock" / "Config.ini").rfind(kUserConfigIniMark, 0), 0u);
}

}  // namespace
}  // namespace quorbel
