#include "settings/profile_file.h"
#include "settings/tests/profile_contract.h"
#include "tests/support/memory_profile_store.h"

namespace quorbel {
namespace {

struct PortableProfile {
  static constexpr bool kHonoursReadOnlyForEveryUser = true;
  ProfileFile file;
  ProfileStore& store() { return file; }
};

// The tests' own store keeps the promises the file stores keep.
struct MemoryProfile {
  testing::MemoryProfileStore memory;
  ProfileStore& store() { return memory; }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Portable, ProfileContract, ::testing::Types<PortableProfile>);
using FileAndMemoryStores = ::testing::Types<PortableProfile, MemoryProfile>;
INSTANTIATE_TYPED_TEST_SUITE_P(Stores, ProfileStoreContract, FileAndMemoryStores);

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

// Every code unit but the value's stays, even ones that are no text: an
// unpaired surrogate, a last odd byte.
TEST(ProfileFile, UnicodeFileKeepsEveryOtherByte) {
  TempDir dir;
  const auto path = dir / "Config.ini";
  const Text before = u"\uFEFF; \xD800 \U0001F600\n[Skins]\nSelected = 1 \n\n[T]\nk=\xDC00";
  const Text after = u"\uFEFF; \xD800 \U0001F600\n[Skins]\nSelected = 3 \n\n[T]\nk=\xDC00";
  ProfileFile store;
  for (bool big_endian : {false, true}) {
    WriteBytes(path, Utf16(before, big_endian) + "\x01");
    EXPECT_TRUE(store.Write(TextPath(path), u"Skins", u"Selected", u"3"));
    EXPECT_EQ(ReadBytes(path), Utf16(after, big_endian) + "\x01") << big_endian;
  }
  WriteBytes(path, Utf16Le(u"\uFEFF[T]\r\n"));
  EXPECT_TRUE(store.Write(TextPath(path), u"Skins", u"Selected", u"\U0001F600"));
  EXPECT_EQ(ReadBytes(path), Utf16Le(u"\uFEFF[T]\r\n[Skins]\r\nSelected=\U0001F600\r\n"));
}

// A path without its drive or directory would name a file wherever the
// program happens to run, "\Config.ini" at the drive root.
TEST(ProfileFile, OnlyFullPathsAreWritten) {
  TempDir dir;
  const auto old_directory = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  ProfileFile store;
  EXPECT_FALSE(store.Write(u"Config.ini", u"Skins", u"Selected", u"2"));
  EXPECT_FALSE(store.Write(u"\\Config.ini", u"Skins", u"Selected", u"2"));
  EXPECT_FALSE(store.Write(u"", u"Skins", u"Selected", u"2"));
  std::filesystem::current_path(old_directory);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace quorbel
