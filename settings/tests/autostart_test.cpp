#include "settings/autostart.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorbel
