#include "settings/file_registry.h"

#include <gtest/gtest.h>

#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

TEST(FileRegistry, SettingsOutliveTheStoreThatWroteThem) {
  TempDir dir;
  {
    FileRegistry first(dir / "config" / "settings");
    ModReg reg(first);
    reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 3);
    reg.RegWriteString(RegRoot::CurrentUser, kSettingsKey, "Background", u"tab\there%20");
  }
  FileRegistry second(dir / "config" / "settings");
  ModReg reg(second);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 3);
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"), u"tab\there%20");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "config"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(FileRegistry, NamesWithControlBytesAndTabsRoundTrip) {
  TempDir dir;
  FileRegistry store(dir / "settings");
  const std::string name("odd\tname\n%\x01", 11);
  ASSERT_TRUE(store.Set(RegRoot::LocalMachine, "a\\b\tc", name, RegValue{kRegBinary, "\x00\xFF"}));
  EXPECT_EQ(store.Query(RegRoot::LocalMachine, "A\\B\tC", name),
            (RegValue{kRegBinary, "\x00\xFF"}));
  EXPECT_FALSE(store.Query(RegRoot::CurrentUser, "a\\b\tc", name).has_value());
}

TEST(FileRegistry, DamagedFileReadsAsEmptyAndIsReplacedByTheNextWrite) {
  const std::vector<std::string> damaged = {
      "garbage",
      std::string("\x00\x01\x02\xFF", 4),
      "QuorbelClock settings 1\nHKCU\tSoftware\\QuorbelClock\tHours\t4\t0300000",
      "QuorbelClock settings 1\nHKCU\tSoftware\\QuorbelClock\tHours\t4\t03000000\textra\n",
      "QuorbelClock settings 1\nHKXX\tSoftware\\QuorbelClock\tHours\t4\t03000000\n",
      "QuorbelClock settings 1\nHKCU\tSoftware\\QuorbelClock\tHours\t99999999999\t03\n",
      "QuorbelClock settings 1\nHKCU\tSoftware\\QuorbelClock\tHo%ZZurs\t4\t03000000\n",
      "QuorbelClock settings 1\nHKCU\tSoftware\\QuorbelClock\tHours%\t4\t03000000\n",
      "QuorbelClock settings 12\n",
  };
  for (const std::string& bytes : damaged) {
    TempDir dir;
    WriteBytes(dir / "settings", bytes);
    FileRegistry store(dir / "settings");
    ModReg reg(store);
    EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 0) << bytes;
    reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", 5);
    EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes"), 5) << bytes;
  }
}

TEST(FileRegistry, UnreadableOrReadOnlyFileIsLeftAlone) {
  TempDir dir;
  std::filesystem::create_directory(dir / "settings");
  FileRegistry on_directory(dir / "settings");
  EXPECT_FALSE(on_directory.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "1234"}));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "settings"));

  FileRegistry store(dir / "read-only");
  ASSERT_TRUE(store.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "1234"}));
  std::filesystem::permissions(dir / "read-only", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(store.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "5678"}));
  EXPECT_FALSE(store.Delete(RegRoot::CurrentUser, kSettingsKey, "Hours"));
  EXPECT_EQ(store.Query(RegRoot::CurrentUser, kSettingsKey, "Hours"),
            (RegValue{kRegDword, "1234"}));
}

TEST(FileRegistry, UserSettingsFileFollowsTheXdgConvention) {
  EXPECT_EQ(UserSettingsFile("/x/cfg", "/home/u"),
            std::filesystem::path("/x/cfg") / "QuorbelClock" / "settings");
  EXPECT_EQ(UserSettingsFile("", "/home/u"),
            std::filesystem::path("/home/u") / ".config" / "QuorbelClock" / "settings");
}

}  // namespace
}  // namespace quorbel
