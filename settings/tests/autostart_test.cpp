#include "settings/autostart.h"

#include <gtest/gtest.h>

#include "tests/support/memory_registry.h"
#include "settings/registry.h"

namespace quorbel {
namespace {

const std::vector<Text> kAdminOnly = {u"C:\\Program Files", u"C:\\Program Files (x86)\\",
                                      u"C:\\windows"};

TEST(LiesUnderFolder, OnlyPathsInsideTheFoldersCount) {
  EXPECT_TRUE(LiesUnderFolder(u"C:\\Program Files\\Quorbel\\QuorbelClock.exe", kAdminOnly));
  EXPECT_TRUE(LiesUnderFolder(u"c:\\PROGRAM FILES (X86)\\Q\\QuorbelClock.exe", kAdminOnly));
  EXPECT_TRUE(LiesUnderFolder(u"C:\\Windows\\QuorbelClock.exe", kAdminOnly));
  EXPECT_TRUE(LiesUnderFolder(u"C:/Program Files/Q/QuorbelClock.exe", kAdminOnly));

  EXPECT_FALSE(LiesUnderFolder(u"C:\\Users\\ann\\AppData\\Local\\Programs\\Q\\QuorbelClock.exe",
                               kAdminOnly));
  // A folder whose name only starts like one of them.
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Program Files Mine\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Windows.old\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Program Files", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"D:\\Program Files\\Q\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Program Files\\Q\\QuorbelClock.exe", {}));
}

TEST(LiesUnderFolder, NoWayOutOfAFolderOrAroundTheCheck) {
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Program Files\\..\\Users\\ann\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Windows\\.\\..\\x\\QuorbelClock.exe", kAdminOnly));
  EXPECT_FALSE(LiesUnderFolder(u"C:\\Program Files\\Q\\..", kAdminOnly));
  // A folder the system reports as a drive or share root, or not at all,
  // would take in everything.
  for (const Text& root : {Text(u"C:\\"), Text(u"C:"), Text(u""), Text(u"\\\\server\\share\\")}) {
    EXPECT_FALSE(LiesUnderFolder(u"C:\\Users\\ann\\QuorbelClock.exe", {root})) << ToUtf8(root);
    EXPECT_FALSE(LiesUnderFolder(u"\\\\server\\share\\QuorbelClock.exe", {root})) << ToUtf8(root);
  }
  EXPECT_TRUE(LiesUnderFolder(u"\\\\server\\share\\apps\\Q.exe", {u"\\\\server\\share\\apps"}));
}

TEST(NamesExecutable, QuotedOrNotWithoutRegardToCase) {
  const Text exe = u"C:\\Users\\Ren\u00e9\\Quorbel Alarm Clock\\QuorbelClock.exe";
  EXPECT_TRUE(NamesExecutable(exe, exe));
  EXPECT_TRUE(NamesExecutable(u"\"" + exe + u"\"", exe));
  EXPECT_TRUE(NamesExecutable(u"\"c:\\users\\REN\u00c9\\quorbel alarm clock\\QUORBELCLOCK.EXE\"", exe));

  EXPECT_FALSE(NamesExecutable(u"C:\\Other\\Clock.exe", exe));
  EXPECT_FALSE(NamesExecutable(u"\"" + exe + u"\" /minimized", exe));
  EXPECT_FALSE(NamesExecutable(u"\"" + exe, exe));
  EXPECT_FALSE(NamesExecutable(exe + u".bak", exe));
  EXPECT_FALSE(NamesExecutable(u"", exe));
  EXPECT_FALSE(NamesExecutable(u"", u""));
}

TEST(OwnerOfEntry, AnyPlaceOfTheProgramsFileNameIsAnotherCopy) {
  const Text exe = u"C:\\Users\\ann\\New\\QuorbelClock.exe";
  const Text name = u"QuorbelClock.exe";
  EXPECT_EQ(OwnerOfEntry(u"\"" + exe + u"\"", exe, name), EntryOwner::ThisExecutable);
  for (const Text& older : {Text(u"\"D:\\Old Place\\quorbelclock.EXE\""),
                            Text(u"D:\\Old Place\\QuorbelClock.exe"),
                            Text(u"\"D:\\Old\\QuorbelClock.exe\" /minimized"),
                            Text(u"D:\\Old\\QuorbelClock.exe /minimized"),
                            Text(u"D:/Old/QuorbelClock.exe"), Text(u"QuorbelClock.exe")}) {
    EXPECT_EQ(OwnerOfEntry(older, exe, name), EntryOwner::OtherCopy) << ToUtf8(older);
    EXPECT_EQ(OwnerOfEntry(older, exe, u""), EntryOwner::OtherProgram) << ToUtf8(older);
  }
  for (const Text& other :
       {Text(u"D:\\Other\\Clock.exe"), Text(u"D:\\QuorbelClock.exe\\Other.exe"),
        Text(u"\"D:\\QuorbelClock.exe\\Other.exe\""), Text(u"D:\\Old\\QuorbelClock.exe.bak"),
        Text(u"D:\\Old\\MyQuorbelClock.exe"), Text(u"\"D:\\Old\\QuorbelClock.exe"), Text(u"")}) {
    EXPECT_EQ(OwnerOfEntry(other, exe, name), EntryOwner::OtherProgram) << ToUtf8(other);
  }
  EXPECT_EQ(OwnerOfEntry(u"/home/ann/build/bin/quorbel-clock", u"/usr/bin/quorbel-clock",
                         u"quorbel-clock"),
            EntryOwner::OtherCopy);
}

struct Store {
  MemoryRegistry registry;
  ModReg reg{registry, {u"C:\\Program Files"}, u"QuorbelClock.exe"};

  std::optional<RegValue> Entry(RegRoot root) {
    return registry.Query(root, root == RegRoot::LocalMachine ? kMachineRunKey : kUserRunKey,
                          kAutostartValue);
  }
  void SetEntry(RegRoot root, std::string data) {
    registry.Set(root, root == RegRoot::LocalMachine ? kMachineRunKey : kUserRunKey,
                 kAutostartValue, RegValue{kRegSz, std::move(data)});
  }
  void SetAutorun(int32_t value) {
    reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", value);
  }
};

// A start with "Autorun" = 1 moves an entry of an older place to this
// executable; with the box cleared (2) or never ticked it leaves every entry
// as it is, and another program's entry always.
TEST(FollowAutostartEntry, StartWithAutorunMovesTheEntryOfAnOlderPlace) {
  const Text exe = u"C:\\Users\\ann\\New\\QuorbelClock.exe";
  const RegValue older{kRegSz, "D:\\Old\\QuorbelClock.exe"};
  Store store;
  store.SetEntry(RegRoot::CurrentUser, older.data);
  for (int32_t autorun : {0, 2}) {
    store.SetAutorun(autorun);
    store.reg.FollowAutostartEntry(exe);
    EXPECT_EQ(store.Entry(RegRoot::CurrentUser), older) << autorun;
  }
  store.SetAutorun(1);
  store.reg.FollowAutostartEntry(exe);
  EXPECT_EQ(store.Entry(RegRoot::CurrentUser),
            (RegValue{kRegSz, "C:\\Users\\ann\\New\\QuorbelClock.exe"}));

  store.SetEntry(RegRoot::CurrentUser, "D:\\Other\\Clock.exe");
  store.reg.FollowAutostartEntry(exe);
  EXPECT_EQ(store.Entry(RegRoot::CurrentUser), (RegValue{kRegSz, "D:\\Other\\Clock.exe"}));
  EXPECT_FALSE(store.Entry(RegRoot::LocalMachine));
}

// The machine-wide entry follows only a copy that may write it; once it is
// written, the user's entry of this program goes, so a log-on starts one copy.
TEST(FollowAutostartEntry, MachineWideEntryFollowsOnlyACopyUnderProgramFiles) {
  const RegValue old_machine{kRegSz, "\"C:\\Program Files\\Old\\QuorbelClock.exe\""};
  Store store;
  store.SetAutorun(1);
  store.SetEntry(RegRoot::LocalMachine, old_machine.data);
  store.reg.FollowAutostartEntry(u"C:\\Users\\ann\\QuorbelClock.exe");
  EXPECT_EQ(store.Entry(RegRoot::LocalMachine), old_machine);
  EXPECT_FALSE(store.Entry(RegRoot::CurrentUser));

  store.SetEntry(RegRoot::CurrentUser, "C:\\Users\\ann\\QuorbelClock.exe");
  store.reg.FollowAutostartEntry(u"C:\\Program Files\\New\\QuorbelClock.exe");
  EXPECT_EQ(store.Entry(RegRoot::LocalMachine),
            (RegValue{kRegSz, "\"C:\\Program Files\\New\\QuorbelClock.exe\""}));
  EXPECT_FALSE(store.Entry(RegRoot::CurrentUser));

  // A standard user cannot remove it: clearing the box says so.
  store.registry.DenyMachineWrites(true);
  EXPECT_FALSE(store.reg.DeleteAutostartEntry(u"C:\\Users\\ann\\QuorbelClock.exe"));
}

}  // namespace
}  // namespace quorbel
