#include "settings/user_config_ini.h"

#include <gtest/gtest.h>

#include "settings/profile_file.h"
#include "settings/tests/temp_dir.h"
#include "settings/xdg_paths.h"

namespace quorbel {
namespace {

// A package's Config.ini in Windows-1252, CRLF, with comments and blanks.
constexpr std::string_view kPackageOne =
    "; Skins and texts\r\n[Skins]\r\nLanguage=TitleEN\r\nCount = 3\r\nSelected = 1\r\n"
    "SBitmap(1)=skins\\a_t.bmp\r\nBitmap1=skins\\a.png\r\nBitmap2=skins\\b.png\r\n"
    "Bitmap3=skins\\c.png\r\n\r\n[TitleEN]\r\nTitle=QUORBEL WARNING\r\n"
    "[TitleDE]\r\nMenuExit=Schlie\xDF"
    "en\r\nPrice=\x80 5\r\n";
// The next package: a fourth skin and a new title.
constexpr std::string_view kPackageTwo =
    "[Skins]\r\nLanguage=TitleEN\r\nCount=4\r\nSelected=1\r\nBitmap1=skins\\a.png\r\n"
    "Bitmap2=skins\\b.png\r\nBitmap3=skins\\c.png\r\nBitmap4=skins\\d.png\r\n"
    "[TitleEN]\r\nTitle=QUORBEL BREAK\r\n";

std::string MarkedFile(std::string_view entries) {
  return std::string(kUserConfigIniMark) + "\r\n" + std::string(entries);
}

struct Installation {
  TempDir dir;
  std::filesystem::path shipped = dir / "share" / "Config.ini";
  std::filesystem::path user_dir = dir / "config" / "quorbel-clock";
  std::filesystem::path user = user_dir / "Config.ini";
  ProfileFile files;
  UserConfigIniStore store{files, TextPath(shipped), TextPath(user)};
  ModIni ini{store, MakeAppDir(TextPath(shipped.parent_path()), u'/')};
  Installation() {
    std::filesystem::create_directories(shipped.parent_path());
    WriteBytes(shipped, kPackageOne);
  }
  Text Skins(TextView key) const { return ini.IniRead(kConfigFile, u"Skins", key, u""); }
  Text Image(TextView key) const { return ini.IniFilePath(kConfigFile, u"Skins", key); }
  Text Title() const { return ini.IniRead(kConfigFile, u"TitleEN", u"Title", u""); }
  Text Shipped(std::string_view name) const { return TextPath(shipped.parent_path() / name); }
  Text BesideUser(std::string_view name) const { return TextPath(user_dir / name); }
};

TEST(UserConfigIni, PackageUpdateReachesAUserWhoPickedASkin) {
  Installation install;
  EXPECT_EQ(install.ini.IniRead(kConfigFile, u"TitleDE", u"MenuExit", u""), u"Schlie\u00dfen");
  EXPECT_EQ(install.ini.IniRead(kConfigFile, u"TitleDE", u"Price", u""), u"\u20ac 5");
  EXPECT_FALSE(std::filesystem::exists(install.user));

  install.ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"3");
  EXPECT_EQ(ReadBytes(install.shipped), kPackageOne);
  EXPECT_EQ(ReadBytes(install.user), MarkedFile("[Skins]\r\nSelected=3\r\n"));
  EXPECT_EQ(install.ini.IniRead(kConfigFile, u"skins", u"selected", u""), u"3");

  WriteBytes(install.shipped, kPackageTwo);
  EXPECT_EQ(install.Skins(u"Selected"), u"3");
  EXPECT_EQ(install.Skins(u"Count"), u"4");
  EXPECT_EQ(install.Image(u"Bitmap3"), install.Shipped("skins\\c.png"));
  EXPECT_EQ(install.Image(u"Bitmap4"), install.Shipped("skins\\d.png"));
  EXPECT_EQ(install.Title(), u"QUORBEL BREAK");

  install.ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"4");
  EXPECT_EQ(ReadBytes(install.user), MarkedFile("[Skins]\r\nSelected=4\r\n"));
  EXPECT_EQ(ReadBytes(install.shipped), kPackageTwo);
}

TEST(UserConfigIni, EveryKeyTheUserSetWinsAndTheirSkinImagesLieBesideTheirFile) {
  Installation install;
  // Saved again by an editor as UTF-8: the mark still counts.
  std::filesystem::create_directories(install.user_dir / "skins");
  WriteBytes(install.user,
             "\xEF\xBB\xBF" + MarkedFile("[Skins]\r\nCount=4\r\nBitmap4=skins\\mine.png\r\n"
                                        "Bitmap2=skins\\b2.png\r\n[TitleEN]\r\nTitle=PAUSE \xE2\x82\xAC\r\n"));
  WriteBytes(install.user_dir / "skins" / "mine.png", "png");
  EXPECT_EQ(install.Skins(u"Count"), u"4");
  EXPECT_EQ(install.Image(u"Bitmap4"), install.BesideUser("skins\\mine.png"));
  EXPECT_EQ(install.Image(u"Bitmap1"), install.Shipped("skins\\a.png"));
  EXPECT_EQ(install.Title(), u"PAUSE \u20ac");
  // A name whose image is not beside the user's file is one of the package's.
  EXPECT_EQ(install.Image(u"Bitmap2"), install.Shipped("skins\\b2.png"));

  // A package with as many skins hides none of the user's; one with more
  // shows its extra skins after them.
  WriteBytes(install.shipped, kPackageTwo);
  EXPECT_EQ(install.Image(u"Bitmap4"), install.BesideUser("skins\\mine.png"));
  WriteBytes(install.shipped, "[Skins]\r\nCount=6\r\nBitmap5=e.png\r\n");
  EXPECT_EQ(install.Skins(u"Count"), u"6");
  EXPECT_EQ(install.Image(u"Bitmap5"), install.Shipped("e.png"));
}

TEST(UserConfigIni, WholeCopyByAnEarlierVersionKeepsOnlyWhatTheUserSet) {
  Installation install;
  // The copy of the first package, the user's skin 3, a skin and a language
  // of their own; its images beside the program, where they had to be then.
  std::string copy(kPackageOne);
  copy.replace(copy.find("Selected = 1"), 12, "Selected = 3");
  copy.replace(copy.find("Language=TitleEN"), 16, "Language=TitleNL");
  copy.replace(copy.find("Count = 3"), 9, "Count = 4");
  copy += "[TitleNL]\r\nTitle=PAUZE\r\n";
  copy.insert(copy.find("Bitmap3"), "Bitmap4=skins\\mine.png\r\n");
  std::filesystem::create_directories(install.user_dir);
  WriteBytes(install.user, copy);

  WriteBytes(install.shipped, kPackageTwo);
  EXPECT_EQ(install.Skins(u"Selected"), u"3");
  EXPECT_EQ(install.Skins(u"Language"), u"TitleNL");
  EXPECT_EQ(install.ini.IniRead(kConfigFile, u"TitleNL", u"Title", u""), u"PAUZE");
  EXPECT_EQ(install.Title(), u"QUORBEL BREAK");
  EXPECT_EQ(install.Skins(u"Count"), u"4");
  EXPECT_EQ(install.Image(u"Bitmap4"), install.Shipped("skins\\d.png"));

  WriteBytes(install.shipped, kPackageOne);
  EXPECT_EQ(install.Image(u"Bitmap4"), install.Shipped("skins\\mine.png"));
  std::filesystem::create_directories(install.user_dir / "skins");
  WriteBytes(install.user_dir / "skins" / "mine.png", "png");
  EXPECT_EQ(install.Image(u"Bitmap4"), install.BesideUser("skins\\mine.png"));

  // Nothing of the copy is lost: a write changes its one value.
  install.ini.IniWrite(kConfigFile, u"Skins", u"Selected", u"2");
  copy.replace(copy.find("Selected = 3"), 12, "Selected = 2");
  EXPECT_EQ(ReadBytes(install.user), copy);
}

TEST(UserConfigIni, ShippedPathIsKnownHoweverItIsSpelled) {
  Installation install;
  const Text odd = TextPath(install.dir.path()) + u"\\share\\.\\..\\share\\Config.ini";
  ASSERT_TRUE(install.store.Write(odd, u"Skins", u"Selected", u"2"));
  EXPECT_EQ(install.store.Read(TextPath(install.shipped), u"Skins", u"Selected", u""), u"2");
  EXPECT_EQ(ReadBytes(install.shipped), kPackageOne);
}

TEST(UserConfigIni, AFailedWriteLeavesNoUserFile) {
  Installation install;
  ASSERT_FALSE(install.store.Write(TextPath(install.shipped), u"Skins", u"", u"2"));
  EXPECT_FALSE(std::filesystem::exists(install.user));

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
