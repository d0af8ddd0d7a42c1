#include "settings/mod_ini.h"

#include <gtest/gtest.h>

#include "settings/profile_file.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {
namespace {

TEST(ModIni, AppDirEndsInExactlyOneSeparator) {
  EXPECT_EQ(MakeAppDir(u"C:\\Program Files\\Quorbel"), u"C:\\Program Files\\Quorbel\\");
  EXPECT_EQ(MakeAppDir(u"C:\\"), u"C:\\");
  EXPECT_EQ(MakeAppDir(u"/opt/quorbel", u'/'), u"/opt/quorbel/");
}

TEST(ModIni, ReadsAndWritesConfigBesideTheProgram) {
  TempDir dir;
  WriteBytes(dir / "Config.ini", "[skins]\r\nlanguage=  TitleDE  \r\n[TitleDE]\r\nTitle=\r\n");
  ProfileFile store;
  ModIni ini(store, MakeAppDir(TextPath(dir.path()),
                               static_cast<char16_t>(std::filesystem::path::preferred_separator)));
  EXPECT_EQ(ini.IniRead(kConfigFile, u"Skins", u"Language", u"TitleEN"), u"TitleDE");
  EXPECT_EQ(ini.IniRead(kConfigFile, u"TitleDE", u"Title", u"QUORBEL WARNING"), u"");
  EXPECT_EQ(ini.IniRead(kConfigFile, u"TitleDE", u"Risk", u"Quorbel risk :"), u"Quorbel risk :");
  ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"2");
  EXPECT_EQ(ini.IniRead(kConfigFile, u"Skins", u"Selected", u""), u"2");
}

}  // namespace
}  // namespace quorbel
