#include "settings/file_registry.h"

#include <gtest/gtest.h>

#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

struct Files {
  TempDir dir;
  std::filesystem::path settings = dir / "quorbel-clock" / "settings.reg";
  std::filesystem::path autostart = dir / "autostart" / "quorbel-clock.desktop";
  FileRegistry registry{settings, autostart};
  ModReg reg{registry};
};

size_t FileCount(const std::filesystem::path& directory) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(directory),
                                           std::filesystem::directory_iterator()));
}

TEST(FileRegistry, SettingsOutliveTheStoreAndLeaveNoTemporaryFile) {
  Files files;
  files.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 3);
  files.reg.RegWriteString(RegRoot::CurrentUser, kSettingsKey, "Background", u"/x/Caf\u00e9.png");
  EXPECT_EQ(ReadBytes(files.settings),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Hours\"=dword:00000003\n"
            "\"Background\"=\"/x/Caf\xC3\xA9.png\"\n");
  EXPECT_EQ(FileCount(files.settings.parent_path()), 1u);

  FileRegistry second(files.settings, files.autostart);
  ModReg reg(second);
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 3);
  EXPECT_EQ(reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"),
            u"/x/Caf\u00e9.png");
}

TEST(FileRegistry, AutostartEntryOfEitherRunKeyIsTheDesktopEntry) {
  Files files;
  files.reg.WriteAutostartEntry(u"/opt/Quorbel Clock/quorbel-clock");
  const std::string entry = ReadBytes(files.autostart);
  EXPECT_NE(entry.find("\nExec=\"/opt/Quorbel Clock/quorbel-clock\"\n"), std::string::npos);
  EXPECT_NE(entry.find("\nX-GNOME-Autostart-enabled=true\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(files.settings));
  const RegValue command{kRegSz, "\"/opt/Quorbel Clock/quorbel-clock\""};
  EXPECT_EQ(files.registry.Query(RegRoot::LocalMachine, kMachineRunKey, "CLOCK"), command);
  EXPECT_EQ(files.registry.Query(RegRoot::CurrentUser, kUserRunKey, kAutostartValue), command);

  files.reg.DeleteAutostartEntry();
  EXPECT_FALSE(std::filesystem::exists(files.autostart));
  EXPECT_FALSE(files.registry.Delete(RegRoot::CurrentUser, kUserRunKey, kAutostartValue));

  // Another value under a Run key is an ordinary value of the settings file.
  EXPECT_TRUE(files.registry.Set(RegRoot::CurrentUser, kUserRunKey, "Other", {kRegSz, "x"}));
  EXPECT_FALSE(std::filesystem::exists(files.autostart));
  EXPECT_FALSE(files.registry.Set(RegRoot::CurrentUser, kUserRunKey, "Clock", {kRegDword, "1234"}));
  EXPECT_FALSE(files.registry.Set(RegRoot::CurrentUser, kUserRunKey, "Clock", {kRegSz, "a=b"}));
  EXPECT_FALSE(std::filesystem::exists(files.autostart));
}

TEST(FileRegistry, EntryTheUserTurnedOffIsNoEntryAndIsWrittenAnew) {
  Files files;
  std::filesystem::create_directories(files.autostart.parent_path());
  WriteBytes(files.autostart, "[Desktop Entry]\nExec=/bin/quorbel-clock\nHidden=true\n");
  EXPECT_FALSE(files.registry.Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue));
  files.reg.WriteAutostartEntry(u"/bin/quorbel-clock");
  EXPECT_EQ(files.registry.Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue),
            (RegValue{kRegSz, "/bin/quorbel-clock"}));
}

TEST(FileRegistry, JunkInTheFileIsKeptAndReadsAsDefaults) {
  Files files;
  const std::string junk = std::string("\x00\x01\xFF garbage\n", 12) +
                           "[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Hours\"=dword:ZZ\n";
  std::filesystem::create_directories(files.settings.parent_path());
  WriteBytes(files.settings, junk);
  EXPECT_EQ(files.reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 0);
  files.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", 5);
  EXPECT_EQ(files.reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes"), 5);
  EXPECT_EQ(ReadBytes(files.settings), junk + "\"Minutes\"=dword:00000005\n");
}

TEST(FileRegistry, UnreadableOrReadOnlyFileIsLeftAlone) {
  TempDir dir;
  std::filesystem::create_directory(dir / "settings.reg");
  std::filesystem::create_directory(dir / "entry.desktop");
  FileRegistry on_directories(dir / "settings.reg", dir / "entry.desktop");
  EXPECT_FALSE(
      on_directories.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "1234"}));
  EXPECT_FALSE(on_directories.Set(RegRoot::LocalMachine, kMachineRunKey, "Clock", {kRegSz, "/q"}));
  EXPECT_FALSE(on_directories.Delete(RegRoot::LocalMachine, kMachineRunKey, "Clock"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "settings.reg"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "entry.desktop"));

  FileRegistry store(dir / "read-only.reg", dir / "read-only.desktop");
  ASSERT_TRUE(store.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "1234"}));
  std::filesystem::permissions(dir / "read-only.reg", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(store.Set(RegRoot::CurrentUser, kSettingsKey, "Hours", {kRegDword, "5678"}));
  EXPECT_FALSE(store.Delete(RegRoot::CurrentUser, kSettingsKey, "Hours"));
  EXPECT_EQ(store.Query(RegRoot::CurrentUser, kSettingsKey, "Hours"),
            (RegValue{kRegDword, "1234"}));
}

TEST(FileRegistry, StoreWithoutAPlaceReadsNothingAndWritesNothing) {
  TempDir dir;
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  FileRegistry nowhere{{}, {}};
  ModReg reg(nowhere);
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 1);
  reg.WriteAutostartEntry(u"/bin/quorbel-clock");
  EXPECT_EQ(reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours"), 0);
  EXPECT_FALSE(nowhere.Query(RegRoot::LocalMachine, kMachineRunKey, kAutostartValue));
  EXPECT_EQ(FileCount(dir.path()), 0u);
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace quorbel
