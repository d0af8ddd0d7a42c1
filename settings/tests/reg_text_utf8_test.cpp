#include "settings/reg_text.h"

#include <gtest/gtest.h>

#include "settings/file_registry.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

// Any user name and folder: Cyrillic, Greek and CJK letters reach the
// settings file and the autostart entry whole.
const Text kHome = u"/home/\u042e\u043b\u044f \u03a9/\u6784\u7bc9";
const std::string kHomeUtf8 = "/home/\xD0\xAE\xD0\xBB\xD1\x8F \xCE\xA9/\xE6\x9E\x84\xE7\xAF\x89";

// A byte that is no part of UTF-8 is the Windows-1252 character it was.
TEST(RegText, IsUtf8AndReadsOtherBytesAsWindows1252) {
  EXPECT_EQ(ToRegText(kHome), kHomeUtf8);
  EXPECT_EQ(FromRegText(kHomeUtf8), kHome);
  EXPECT_EQ(FromRegText("\x80\xC3\xA9\xC3"), u"\u20ac\u00e9\u00c3");
  EXPECT_EQ(FromRegText("\xE6\x9E"), u"\u00e6\u017e");
}

struct Files {
  TempDir dir;
  std::filesystem::path settings = dir / "settings.reg";
  std::filesystem::path autostart = dir / "autostart" / "quorbel-clock.desktop";
  FileRegistry registry{settings, autostart};
  ModReg reg{registry, {}, u"quorbel-clock"};
};

TEST(RegText, AnyFolderNameRoundTripsThroughTheSettingsAndTheAutostartFile) {
  Files files;
  const Text background = kHome + u"/sky.png";
  files.reg.RegWriteString(RegRoot::CurrentUser, kSettingsKey, "Background", background);
  EXPECT_NE(ReadBytes(files.settings).find("\"Background\"=\"" + kHomeUtf8 + "/sky.png\""),
            std::string::npos);
  EXPECT_EQ(files.reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"), background);

  const Text exe = kHome + u"/bin/quorbel-clock";
  files.reg.WriteAutostartEntry(exe);
  const std::string entry = ReadBytes(files.autostart);
  EXPECT_NE(entry.find("\nExec=\"" + kHomeUtf8 + "/bin/quorbel-clock\"\n"), std::string::npos);
  EXPECT_NE(entry.find("\nTryExec=" + kHomeUtf8 + "/bin/quorbel-clock\n"), std::string::npos);
  EXPECT_TRUE(files.reg.DeleteAutostartEntry(exe));
  EXPECT_FALSE(std::filesystem::exists(files.autostart));
}

TEST(RegText, SettingsOfEarlierVersionsStillRead) {
  Files files;
  // Text with a character a quoted string cannot carry went out as bytes in
  // Windows-1252.
  WriteBytes(files.settings,
             "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n"
             "\"Background\"=hex(1):2f,43,61,66,e9,09,2e,70,6e,67\n\"Hours\"=dword:00000002\n");
  EXPECT_EQ(files.reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"),
            u"/Caf\u00e9\t.png");
  files.reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", 3);
  EXPECT_EQ(files.reg.RegReadString(RegRoot::CurrentUser, kSettingsKey, "Background"),
            u"/Caf\u00e9\t.png");
}

}  // namespace
}  // namespace quorbel
