#include "settings/user_config_ini.h"

#include <gtest/gtest.h>

#include "settings/profile_file.h"
#include "settings/tests/temp_dir.h"
#include "settings/xdg_paths.h"

namespace quorbel {
namespace {

// Windows-1252 as shipped: a euro sign, an sharp s, CRLF, comments and blanks.
constexpr std::string_view kShipped =
    "; Skins and texts\r\n[Skins]\r\nCount = 3\r\nSelected = 1\r\n\r\n"
    "[TitleDE]\r\nMenuExit=Schlie\xDF"
    "en\r\nPrice=\x80 5\r\n";

struct Installation {
  TempDir dir;
  std::filesystem::path shipped = dir / "share" / "Config.ini";
  std::filesystem::path user = dir / "config" / "quorbel-clock" / "Config.ini";
  ProfileFile files;
  UserConfigIniStore store{files, TextPath(shipped), TextPath(user)};
  Installation() {
    std::filesystem::create_directories(shipped.parent_path());
    WriteBytes(shipped, kShipped);
  }
};

TEST(UserConfigIni, FirstWriteCopiesTheShippedFileAndChangesOnlyThatValue) {
  Installation install;
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"TitleDE", u"MenuExit", u""),
            u"Schlie\u00dfen");
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"TitleDE", u"Price", u""), u"\u20ac 5");
  EXPECT_FALSE(std::filesystem::exists(install.user));

  ASSERT_TRUE(install.store.Write(TextPath(install.shipped), u"Skins", u"Selected", u"3"));
  EXPECT_EQ(ReadBytes(install.shipped), kShipped);
  std::string expected(kShipped);
  expected.replace(expected.find("Selected = 1"), 12, "Selected = 3");
  EXPECT_EQ(ReadBytes(install.user), expected);
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"skins", u"selected", u""), u"3");

  // From now on the copy is the user's whole Config.ini.
  WriteBytes(install.shipped, "[Skins]\r\nSelected=2\r\nLanguage=TitleDE\r\n");
  ASSERT_TRUE(install.store.Write(TextPath(install.shipped), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"Skins", u"Selected", u""), u"2");
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"Skins", u"Language", u"TitleEN"),
            u"TitleEN");
}

TEST(UserConfigIni, ShippedPathIsKnownHoweverItIsSpelled) {
  Installation install;
  const Text odd = TextPath(install.dir.path()) + u"\\share\\.\\..\\share\\Config.ini";
  ASSERT_TRUE(install.store.Write(odd, u"Skins", u"Selected", u"2"));
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"Skins", u"Selected", u""), u"2");
  EXPECT_EQ(ReadBytes(install.shipped), kShipped);
}

TEST(UserConfigIni, NoCopyIsMadeWhenItWouldHideTheShippedTexts) {
  Installation install;
  ASSERT_FALSE(install.store.Write(TextPath(install.shipped), u"Skins", u"", u"2"));
  EXPECT_FALSE(std::filesystem::exists(install.user));

  std::filesystem::remove(install.shipped);
  EXPECT_FALSE(install.store.Write(TextPath(install.shipped), u"Skins", u"Selected", u"2"));
  EXPECT_FALSE(std::filesystem::exists(install.user));

  WriteBytes(install.shipped, kShipped);
  std::filesystem::create_directories(install.user);
  EXPECT_FALSE(install.store.Write(TextPath(install.shipped), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"Skins", u"Count", u""), u"3");
}

TEST(UserConfigIni, OtherFilesAndAStoreWithoutAUserPathGoStraightThrough) {
  Installation install;
  const Text other = TextPath(install.dir / "share" / "Other.ini");
  ASSERT_TRUE(install.store.Write(other, u"S", u"K", u"v"));
  EXPECT_EQ(ReadBytes(install.dir / "share" / "Other.ini"), "[S]\r\nK=v\r\n");
  EXPECT_FALSE(std::filesystem::exists(install.user));

  UserConfigIniStore without_home(install.files, TextPath(install.shipped), Text());
  ASSERT_TRUE(without_home.Write(TextPath(install.shipped), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(without_home.Read(TextPath(install.shipped), u"Skins", u"Selected", u""), u"2");
}

TEST(UserConfigIni, UtfEightFileWithAByteOrderMarkReadsAsUtfEight) {
  Installation install;
  WriteBytes(install.shipped,
             "\xEF\xBB\xBF[TitleDE]\nMenuExit=Schlie\xC3\x9F"
             "en \xE2\x82\xAC\n");
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"TitleDE", u"MenuExit", u""),
            u"Schlie\u00dfen \u20ac");
}

TEST(XdgPaths, ConfigHomeIsAnAbsoluteXdgConfigHomeElseUnderHome) {
  EXPECT_EQ(XdgConfigHome("/x/cfg", "/home/u"), std::filesystem::path("/x/cfg"));
  EXPECT_EQ(XdgConfigHome("", "/home/u"), std::filesystem::path("/home/u/.config"));
  EXPECT_EQ(XdgConfigHome("relative/cfg", "/home/u"), std::filesystem::path("/home/u/.config"));
  EXPECT_EQ(XdgConfigHome("", "relative"), std::filesystem::path());
  EXPECT_EQ(UserSettingsFile("/x", "/h"), std::filesystem::path("/x/quorbel-clock/settings.reg"));
  EXPECT_EQ(UserAutostartFile("", "/h"),
            std::filesystem::path("/h/.config/autostart/quorbel-clock.desktop"));
  EXPECT_EQ(UserConfigIni("/x", ""), std::filesystem::path("/x/quorbel-clock/Config.ini"));
  EXPECT_EQ(UserConfigIni("", ""), std::filesystem::path());
  EXPECT_EQ(EnvironmentValue("QUORBEL_SURELY_UNSET_VARIABLE"), "");
}

}  // namespace
}  // namespace quorbel
