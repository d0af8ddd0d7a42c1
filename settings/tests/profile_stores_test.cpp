#include "settings/profile_file.h"
#include "settings/tests/profile_contract.h"

namespace quorbel {
namespace {

struct PortableProfile {
  static constexpr bool kHonoursReadOnlyForEveryUser = true;
  ProfileFile file;
  ProfileStore& store() { return file; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Portable, ProfileContract, ::testing::Types<PortableProfile>);

TEST(ProfileFile, UnreadableExistingFileIsNeverReplaced) {
  TempDir dir;
  std::filesystem::create_directory(dir / "Config.ini");
  ProfileFile store;
  EXPECT_FALSE(store.Write(TextPath(dir / "Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Config.ini"));
  EXPECT_EQ(store.Read(TextPath(dir / "Config.ini"), u"Skins", u"Selected", u"1"), u"1");
}

TEST(ProfileFile, WriteLeavesNoTemporaryFileAndKeepsEveryOtherByte) {
  TempDir dir;
  const std::string before = "; made by hand\n\n[Skins]\nCount = 2\nSelected = 1 \n\n[TitleEN]";
  WriteBytes(dir / "Config.ini", before);
  ProfileFile store;
  EXPECT_TRUE(store.Write(TextPath(dir / "Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(ReadBytes(dir / "Config.ini"),
            "; made by hand\n\n[Skins]\nCount = 2\nSelected = 2 \n\n[TitleEN]");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(ProfileFile, UtfEightFileGetsUtfEightText) {
  TempDir dir;
  WriteBytes(dir / "Config.ini", "\xEF\xBB\xBF[TitleDE]\r\n");
  ProfileFile store;
  EXPECT_TRUE(
      store.Write(TextPath(dir / "Config.ini"), u"TitleDE", u"MenuExit", u"Schlie\u00dfen"));
  EXPECT_EQ(ReadBytes(dir / "Config.ini"),
            "\xEF\xBB\xBF[TitleDE]\r\nMenuExit=Schlie\xC3\x9F"
            "en\r\n");
  EXPECT_EQ(store.Read(TextPath(dir / "Config.ini"), u"TitleDE", u"MenuExit", u""),
            u"Schlie\u00dfen");
}

}  // namespace
}  // namespace quorbel
