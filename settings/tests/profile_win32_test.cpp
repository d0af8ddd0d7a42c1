#include "settings/profile_win32.h"

#include <windows.h>

#include "common/ansi.h"
#include "settings/config_ini_store.h"
#include "settings/profile_file.h"
#include "settings/tests/profile_contract.h"

namespace quorbel {
namespace {

struct PortableProfile {
  static constexpr bool kHonoursReadOnlyForEveryUser = true;
  ProfileFile file;
  ProfileStore& store() { return file; }
};

struct PlatformProfile {
  // Wine run as root writes read-only files.
  static constexpr bool kHonoursReadOnlyForEveryUser = false;
  ProfileWin32 platform;
  ProfileStore& store() { return platform; }
};

using BothProfileStores = ::testing::Types<PortableProfile, PlatformProfile>;
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProfileContract, BothProfileStores);
INSTANTIATE_TYPED_TEST_SUITE_P(Win32, ProfileStoreContract, BothProfileStores);

TEST(ProfileWin32, EachReadsWhatTheOtherWrote) {
  TempDir dir;
  const Text path = TextPath(dir / "Config.ini");
  ProfileFile portable;
  ProfileWin32 platform;
  ASSERT_TRUE(portable.Write(path, u"Skins", u"Selected", u"2"));
  ASSERT_TRUE(platform.Write(path, u"TitleEN", u"Title", u"Caf\u00e9"));
  ASSERT_TRUE(portable.Write(path, u"skins", u"Count", u"4"));
  ASSERT_TRUE(platform.Write(path, u"SKINS", u"selected", u"3"));
  for (ProfileStore* store : {static_cast<ProfileStore*>(&portable),
                              static_cast<ProfileStore*>(&platform)}) {
    EXPECT_EQ(store->Read(path, u"Skins", u"Selected", u""), u"3");
    EXPECT_EQ(store->Read(path, u"Skins", u"Count", u""), u"4");
    EXPECT_EQ(store->Read(path, u"TitleEN", u"Title", u""), u"Caf\u00e9");
  }
}

// The platform's writer does not keep the file's other bytes: Wine reads the
// whole file and writes it out again, with CRLF line ends, blanks around names
// and values dropped, blank lines dropped and a final line break added (lines
// without "=" survive). Windows edits the one line. Either way every entry
// reads as before; only the portable writer promises the bytes.
TEST(ProfileWin32, WhatThePlatformWriterDoesToTheRestOfTheFile) {
  TempDir dir;
  const std::string before =
      "; made by hand\n\n  [Skins]  \nCount = 2\nSelected = 1 \n\n[TitleEN]\nTitle=  Hi  \n"
      "junk line\n[Other]";
  const std::string rewritten_by_wine =
      "; made by hand\r\n[Skins]\r\nCount=2\r\nSelected=2\r\n[TitleEN]\r\nTitle=Hi\r\n"
      "junk line\r\n[Other]\r\n";
  const std::string edited_in_place =
      "; made by hand\n\n  [Skins]  \nCount = 2\nSelected = 2 \n\n[TitleEN]\nTitle=  Hi  \n"
      "junk line\n[Other]";
  WriteBytes(dir / "Config.ini", before);
  ProfileWin32 platform;
  ASSERT_TRUE(platform.Write(TextPath(dir / "Config.ini"), u"Skins", u"Selected", u"2"));
  const std::string after = ReadBytes(dir / "Config.ini");
  EXPECT_TRUE(after == rewritten_by_wine || after == edited_in_place) << after;
  ProfileFile portable;
  EXPECT_EQ(portable.Read(TextPath(dir / "Config.ini"), u"TitleEN", u"Title", u""), u"Hi");
  EXPECT_EQ(portable.Read(TextPath(dir / "Config.ini"), u"Skins", u"Count", u""), u"2");
}

// Junk where the platform's reader and the portable one legitimately part.
TEST(ProfileWin32, ReadersDifferOnJunk) {
  struct Junk {
    const char* label;
    std::string file;
    Text portable;
    Text platform;
  };
  const std::vector<Junk> junk = {
      // The platform's text ends at a zero byte; the portable reader keeps
      // the bytes after it, as the file holds them.
      {"zero byte in a value", std::string("[T]\r\nk=ab\0cd\r\n", 16), Text(u"ab\0cd", 5),
       u"ab"},
      // A quoted value of exactly 4999 characters loses its last character
      // to the closing quote in the platform's copy.
      {"quoted value of 4999 characters", "[T]\r\nk=\"" + std::string(4999, 'q') + "\"\r\n",
       Text(4999, u'q'), Text(4998, u'q')},
  };
  TempDir dir;
  const Text path = TextPath(dir / "Config.ini");
  ProfileFile portable;
  ProfileWin32 platform;
  for (const Junk& j : junk) {
    WriteBytes(dir / "Config.ini", j.file);
    EXPECT_EQ(portable.Read(path, u"T", u"k", u"<none>"), j.portable) << j.label;
    EXPECT_EQ(platform.Read(path, u"T", u"k", u"<none>"), j.platform) << j.label;
  }
}

// Config.ini as the program reaches it: a skin chosen in a file saved as
// "Unicode" is the one the platform's reader then reads, and the file holds
// no other change.
TEST(ProfileWin32, AUnicodeConfigKeepsTheChosenSkin) {
  TempDir dir;
  const Text before = u"\uFEFF; Skins\r\n[Skins]\r\nLanguage=TitleDE\r\nCount=3\r\nSelected=1\r\n"
                      u"[TitleDE]\r\nMenuExit=Schlie\u00dfen\r\n";
  WriteBytes(dir / "Config.ini", Utf16Le(before));
  ProfileWin32 platform;
  ProfileFile portable;
  ConfigIniStore store(platform, portable);
  const ModIni ini(store, MakeAppDir(TextPath(dir.path())));
  ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"3");
  EXPECT_EQ(platform.Read(TextPath(dir / "Config.ini"), u"Skins", u"Selected", u""), u"3");
  EXPECT_EQ(ini.IniRead(kConfigFile, u"TitleDE", u"MenuExit", u""), u"Schlie\u00dfen");
  Text after = before;
  after.replace(after.find(u"Selected=1"), 10, u"Selected=3");
  EXPECT_EQ(ReadBytes(dir / "Config.ini"), Utf16Le(after));
}

// A file past the bound is read as far as the bound, as the Linux program
// reads it, not whole into memory.
TEST(ProfileWin32, AConfigPastTheBoundIsReadWithinIt) {
  TempDir dir;
  std::string file = "[TitleEN]\r\nTitle=Pause\r\n";
  while (file.size() <= kSettingsFileBound) file += "; padding padding padding padding\r\n";
  WriteBytes(dir / "Config.ini", file + "[Late]\r\nKey=found\r\n");
  ProfileWin32 platform;
  ProfileFile portable;
  ConfigIniStore store(platform, portable);
  const ModIni ini(store, MakeAppDir(TextPath(dir.path())));
  EXPECT_EQ(ini.IniRead(kConfigFile, u"TitleEN", u"Title", u""), u"Pause");
  EXPECT_EQ(ini.IniRead(kConfigFile, u"Late", u"Key", u"default"), u"default");
}

// Replacing the file keeps what the user set on it.
TEST(ProfileWin32, AHiddenConfigStaysHidden) {
  TempDir dir;
  const auto path = dir / "Config.ini";
  WriteBytes(path, "[Skins]\r\nSelected=1\r\n");
  const std::string name = ToAnsi(TextPath(path));
  ASSERT_TRUE(SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
  ProfileFile portable;
  EXPECT_TRUE(portable.Write(TextPath(path), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(ReadBytes(path), "[Skins]\r\nSelected=2\r\n");
  EXPECT_EQ(GetFileAttributesA(name.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
}

TEST(ProfileWin32, OnlyFullPathsAreUsed) {
  ProfileWin32 platform;
  EXPECT_FALSE(platform.Write(u"QuorbelClockTest.ini", u"Skins", u"Selected", u"2"));
  EXPECT_EQ(platform.Read(u"QuorbelClockTest.ini", u"Skins", u"Selected", u"1"), u"1");
  EXPECT_TRUE(IsFullWindowsPath(u"C:\\Config.ini"));
  EXPECT_TRUE(IsFullWindowsPath(u"\\\\server\\share\\Config.ini"));
  EXPECT_FALSE(IsFullWindowsPath(u"Config.ini"));
  EXPECT_FALSE(IsFullWindowsPath(u"\\Config.ini"));
}

}  // namespace
}  // namespace quorbel
