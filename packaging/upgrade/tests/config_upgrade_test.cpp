#include "packaging/upgrade/config_upgrade.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

// A new version's file: a comment, two skins, one language, CRLF breaks.
constexpr char kShipped[] =
    "; shipped\r\n"
    "[Skins]\r\n"
    "Language=TitleEN\r\n"
    "Count=2\r\n"
    "Selected=1\r\n"
    "SBitmap(1)=skins\\aurora_thumb.bmp\r\n"
    "Bitmap1=skins\\aurora.png\r\n"
    "SBitmap(2)=skins\\ember_thumb.bmp\r\n"
    "Bitmap2=skins\\ember.png\r\n"
    "\r\n"
    "[TitleEN]\r\n"
    "Title=Time for a break\r\n";

std::string Upgraded(const std::string& users) { return UpgradeConfigIni(users, kShipped).value_or("<none>"); }

TEST(ConfigUpgrade, UntouchedOldFileGivesTheNewFileUnchanged) {
  EXPECT_EQ(Upgraded("[Skins]\nLanguage=TitleEN\nCount=1\nSelected=1\nBitmap1=skins\\aurora.png\n"),
            kShipped);
  EXPECT_EQ(Upgraded(""), kShipped);
}

TEST(ConfigUpgrade, UsersSkinsFollowTheShippedOnesAndTheSelectionFollowsItsSkin) {
  // The user's 2 and 3 are their own; the user's 4 is a skin the new file
  // ships as 2 (written with other case and slashes).
  const std::string users =
      "[skins]\nCount=4\nselected=3\n"
      "SBitmap(1)=skins\\aurora_thumb.bmp\nBitmap1=skins\\aurora.png\n"
      "SBitmap(2)=mine\\sea_t.bmp\nBitmap2=mine\\sea.png\n"
      "SBitmap(3)=mine\\sky_t.bmp\nBitmap3=\"mine\\sky.png\"\n"
      "Bitmap4=SKINS/Ember.png\n";
  const std::string expected =
      "; shipped\r\n"
      "[Skins]\r\n"
      "Language=TitleEN\r\n"
      "Count=4\r\n"
      "Selected=4\r\n"
      "SBitmap(1)=skins\\aurora_thumb.bmp\r\n"
      "Bitmap1=skins\\aurora.png\r\n"
      "SBitmap(2)=skins\\ember_thumb.bmp\r\n"
      "Bitmap2=skins\\ember.png\r\n"
      "SBitmap(3)=mine\\sea_t.bmp\r\n"
      "Bitmap3=mine\\sea.png\r\n"
      "SBitmap(4)=mine\\sky_t.bmp\r\n"
      "Bitmap4=mine\\sky.png\r\n"
      "\r\n"
      "[TitleEN]\r\n"
      "Title=Time for a break\r\n";
  EXPECT_EQ(Upgraded(users), expected);
  // A shipped skin selected moves with its skin.
  EXPECT_NE(Upgraded("[Skins]\nCount=4\nSelected=4\nBitmap4=skins\\ember.png\n").find("Selected=2\r\n"),
            std::string::npos);
}

TEST(ConfigUpgrade, SelectionThatNamesNoSkinAndNumbersWithoutPicturesStayAsTheyWere) {
  for (const char* selected : {"9", "0", "x", "-1", "99999999999"}) {
    const std::string upgraded =
        Upgraded(std::string("[Skins]\nCount=2\nBitmap1=\nSelected=") + selected + "\n");
    EXPECT_NE(upgraded.find(std::string("Selected=") + selected + "\r\n"), std::string::npos) << selected;
    EXPECT_NE(upgraded.find("Count=2\r\n"), std::string::npos) << selected;
  }
}

TEST(ConfigUpgrade, UsersOwnLanguageSectionsComeWholeAndTheChosenOneStays) {
  const std::string users =
      "[Skins]\nLanguage=TitleNL\n"
      "[TitleEN]\nTitle=an old English text\n"
      "[TitleNL]\nTitle=Tijd voor een pauze\n; mijn vertaling\nSetTitle=Instellingen\n"
      "[Mine]\nKey=value\n";
  const std::string upgraded = Upgraded(users);
  EXPECT_NE(upgraded.find("Language=TitleNL\r\n"), std::string::npos);
  EXPECT_EQ(upgraded.find("an old English text"), std::string::npos);
  EXPECT_TRUE(upgraded.ends_with(
      "Title=Time for a break\r\n"
      "\r\n"
      "[TitleNL]\r\nTitle=Tijd voor een pauze\r\n; mijn vertaling\r\nSetTitle=Instellingen\r\n"
      "\r\n"
      "[Mine]\r\nKey=value\r\n"))
      << upgraded;
}

TEST(ConfigUpgrade, ChoicesTheNewFileLacksAreAddedToItsSkinsSection) {
  const std::string upgraded = UpgradeConfigIni("[Skins]\nSelected=2\nLanguage=TitleDE\n",
                                                "[Skins]\nCount=2\nBitmap2=b.png\n\n[TitleEN]\n")
                                   .value_or("<none>");
  EXPECT_EQ(upgraded, "[Skins]\nCount=2\nBitmap2=b.png\nLanguage=TitleDE\nSelected=2\n\n[TitleEN]\n");
}

TEST(ConfigUpgrade, FilesWithAByteOrderMarkAreLeftToTheCaller) {
  EXPECT_FALSE(UpgradeConfigIni("\xEF\xBB\xBF[Skins]\nSelected=3\n", kShipped));
  EXPECT_FALSE(UpgradeConfigIni("\xFF\xFE[\0S\0", kShipped));
  EXPECT_FALSE(UpgradeConfigIni("[Skins]\n", "\xEF\xBB\xBF[Skins]\n"));
}

}  // namespace
}  // namespace quorbel
