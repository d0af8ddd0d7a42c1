#pragma once
// One table of profile-file cases, run over every ProfileStore: a test
// program instantiates ProfileContract with its store types (each has a
// default constructor, `store()` and kHonoursReadOnlyForEveryUser, false
// where a privileged user writes read-only files anyway). Under Wine it runs over the platform's
// own profile functions too, which proves the portable reader against them.
// ProfileStoreContract holds what every store does through Read and Write
// alone, the tests' in-memory store included.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/mod_ini.h"
#include "settings/tests/temp_dir.h"

namespace quorbel {

struct ProfileReadCase {
  const char* label;
  std::string file;
  const char16_t* section;
  const char16_t* key;
  Text expected;
};

inline constexpr char16_t kFallback[] = u"<fallback>";

// The bytes of a file saved as UTF-16 (the text starts with its mark).
inline std::string Utf16(TextView text, bool big_endian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes.push_back(big_endian ? high : low);
    bytes.push_back(big_endian ? low : high);
  }
  return bytes;
}
inline std::string Utf16Le(TextView text) { return Utf16(text, false); }
inline std::string Utf16Be(TextView text) { return Utf16(text, true); }

inline std::vector<ProfileReadCase> ProfileReadCases() {
  const std::string long_value(6000, 'x');
  return {
      {"names ignore case", "[skins]\r\nselected=3\r\n", u"Skins", u"Selected", u"3"},
      {"names ignore case the other way", "[SKINS]\r\nSELECTED=4\r\n", u"skins", u"selected",
       u"4"},
      {"blanks trimmed", "[TitleEN]\r\nTitle=   Hello   \r\n", u"TitleEN", u"Title", u"Hello"},
      {"tabs and blanks around the key", "[TitleEN]\r\n\t Title \t=\tHi there\t\r\n", u"TitleEN",
       u"Title", u"Hi there"},
      {"double quotes removed", "[T]\r\nTitle=\"Quoted\"\r\n", u"T", u"Title", u"Quoted"},
      {"single quotes removed", "[T]\r\nTitle='Single'\r\n", u"T", u"Title", u"Single"},
      {"blanks inside quotes kept", "[T]\r\nTitle=\"  in  \"\r\n", u"T", u"Title", u"  in  "},
      {"unmatched quote kept", "[T]\r\nTitle=\"Open\r\n", u"T", u"Title", u"\"Open"},
      {"mixed quotes kept", "[T]\r\nTitle=\"Mixed'\r\n", u"T", u"Title", u"\"Mixed'"},
      {"lone quote kept", "[T]\r\nTitle=\"\r\n", u"T", u"Title", u"\""},
      {"empty quotes give empty text", "[T]\r\nTitle=\"\"\r\n", u"T", u"Title", u""},
      {"key= gives empty text", "[T]\r\nTitle=\r\n", u"T", u"Title", u""},
      {"key= with blanks gives empty text", "[T]\r\nTitle =   \r\n", u"T", u"Title", u""},
      {"value keeps later equals signs", "[T]\r\nTitle=a=b\r\n", u"T", u"Title", u"a=b"},
      {"6000 characters read as 4999", "[T]\r\nTitle=" + long_value + "\r\n", u"T", u"Title",
       Text(4999, u'x')},
      {"missing key", "[T]\r\nOther=1\r\n", u"T", u"Title", kFallback},
      {"missing section", "[T]\r\nTitle=1\r\n", u"Skins", u"Title", kFallback},
      {"key outside any section", "Title=1\r\n[T]\r\n", u"T", u"Title", kFallback},
      {"key of the next section", "[A]\r\nx=1\r\n[B]\r\nTitle=2\r\n", u"A", u"Title",
       kFallback},
      {"first of two keys", "[T]\r\nTitle=one\r\nTitle=two\r\n", u"T", u"Title", u"one"},
      {"LF line ends", "[A]\nx=1\n[T]\nTitle=lf\n", u"T", u"Title", u"lf"},
      {"CR-only line ends", "[A]\rx=1\r[T]\rTitle=cr\r", u"T", u"Title", u"cr"},
      {"no final line break", "[T]\r\nTitle=end", u"T", u"Title", u"end"},
      {"blank lines and indentation", "\r\n  [T]  \r\n\r\n   Title=x\r\n", u"T", u"Title",
       u"x"},
      {"text after the section line", "[T] ; skins\r\nTitle=x\r\n", u"T", u"Title", u"x"},
      {"semicolon lines are plain keys", "[T]\r\n;Title=no\r\nTitle=yes\r\n", u"T", u"Title",
       u"yes"},
      {"blanks inside the brackets", "[ T\t]\r\nTitle=x\r\n", u"T", u"Title", u"x"},
      {"section line without closing bracket is a key", "[A]\r\n[T\r\nTitle=x\r\n", u"A",
       u"Title", u"x"},
      {"only the first section of a name", "[T]\r\nx=1\r\n[t]\r\nTitle=2\r\n", u"T", u"Title",
       kFallback},
      {"first key without equals sign hides a later one", "[T]\r\nTitle\r\nTitle=2\r\n", u"T",
       u"Title", kFallback},
      {"blanks around the asked names", "[T]\r\nTitle=x\r\n", u" T ", u"\tTitle ", u"x"},
      {"Ctrl-Z counts as a blank", "[T]\r\nTitle=x\x1A\r\n\x1A", u"T", u"Title", u"x"},
      {"ANSI text", "[T]\r\nTitle=Caf\xe9\r\n", u"T", u"Title", u"Caf\u00e9"},
      {"UTF-8 file with byte-order mark", "\xEF\xBB\xBF[T]\r\nTitle=Caf\xC3\xA9\r\n", u"T",
       u"Title", u"Caf\u00e9"},
      {"UTF-16 file", Utf16Le(u"\uFEFF[t]\r\n title = Caf\u00e9 \r\n"), u"T", u"Title",
       u"Caf\u00e9"},
      {"UTF-16 file, big-endian", Utf16Be(u"\uFEFF[T]\r\nTitle=x\r\n"), u"T", u"Title", u"x"},
  };
}

template <typename Store>
class ProfileContract : public ::testing::Test {
 protected:
  Store store_;
  TempDir dir_;
  ProfileStore& store() { return store_.store(); }
  Text Path(std::string_view name) { return TextPath(dir_ / name); }
  Text Read(std::string_view name, TextView section, TextView key) {
    return store().Read(Path(name), section, key, kFallback);
  }
  size_t LinesNaming(std::string_view name, std::string_view text) {
    const std::string file = ReadBytes(dir_ / name);
    size_t count = 0;
    for (size_t at = file.find(text); at != std::string::npos; at = file.find(text, at + 1)) {
      ++count;
    }
    return count;
  }
};

TYPED_TEST_SUITE_P(ProfileContract);

TYPED_TEST_P(ProfileContract, ReadsFollowThePlatformRules) {
  for (const ProfileReadCase& c : ProfileReadCases()) {
    WriteBytes(this->dir_ / "Config.ini", c.file);
    EXPECT_EQ(this->Read("Config.ini", c.section, c.key), c.expected) << c.label;
  }
}

TYPED_TEST_P(ProfileContract, MissingFileGivesTheFallback) {
  EXPECT_EQ(this->Read("Missing.ini", u"Skins", u"Selected"), kFallback);
  EXPECT_EQ(this->store().Read(this->Path("Missing.ini"), u"Skins", u"Language", u"TitleEN"),
            u"TitleEN");
}

TYPED_TEST_P(ProfileContract, WriteCreatesAMissingFile) {
  EXPECT_TRUE(this->store().Write(this->Path("New.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(this->Read("New.ini", u"Skins", u"Selected"), u"2");
}

TYPED_TEST_P(ProfileContract, WriteAddsAMissingSectionAndKeepsTheRest) {
  WriteBytes(this->dir_ / "Config.ini", "[TitleEN]\r\nTitle=Hi\r\n");
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Selected"), u"2");
  EXPECT_EQ(this->Read("Config.ini", u"TitleEN", u"Title"), u"Hi");
  EXPECT_EQ(ReadBytes(this->dir_ / "Config.ini").rfind("[Skins]"),
            std::string("[TitleEN]\r\nTitle=Hi\r\n").size());
}

TYPED_TEST_P(ProfileContract, RewriteReplacesTheValueWithoutASecondLine) {
  WriteBytes(this->dir_ / "Config.ini", "[skins]\r\nCount=2\r\nselected=1\r\n[TitleEN]\r\n");
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"3"));
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Selected"), u"3");
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Count"), u"2");
  EXPECT_EQ(this->LinesNaming("Config.ini", "elected"), 1u);
}

TYPED_TEST_P(ProfileContract, NewKeyGoesIntoItsOwnSection) {
  WriteBytes(this->dir_ / "Config.ini", "[Skins]\r\nCount=2\r\n[TitleEN]\r\nTitle=Hi\r\n");
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  const std::string file = ReadBytes(this->dir_ / "Config.ini");
  EXPECT_LT(file.find("Selected=2"), file.find("[TitleEN]"));
  EXPECT_EQ(this->Read("Config.ini", u"TitleEN", u"Selected"), kFallback);
}

TYPED_TEST_P(ProfileContract, CrlfFileStaysCrlf) {
  WriteBytes(this->dir_ / "Config.ini", "[Skins]\r\nCount=2\r\n");
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Other", u"Key", u"v"));
  const std::string file = ReadBytes(this->dir_ / "Config.ini");
  const auto bare_lf = std::adjacent_find(file.begin(), file.end(), [](char a, char b) {
    return a != '\r' && b == '\n';
  });
  EXPECT_EQ(bare_lf, file.end()) << file;
}

TYPED_TEST_P(ProfileContract, EntriesThatWouldNotReadBackAreNotWritten) {
  WriteBytes(this->dir_ / "Config.ini", "[Skins]\r\nSelected=1\r\n");
  EXPECT_FALSE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected",
                                   u"2\r\n[Evil]\r\nx=1"));
  EXPECT_FALSE(this->store().Write(this->Path("Config.ini"), u"", u"Selected", u"2"));
  EXPECT_FALSE(this->store().Write(this->Path("Config.ini"), u"Skins", u"", u"2"));
  EXPECT_EQ(ReadBytes(this->dir_ / "Config.ini"), "[Skins]\r\nSelected=1\r\n");
}

TYPED_TEST_P(ProfileContract, WriteIntoAReadOnlyFileFailsAndKeepsIt) {
  const auto path = this->dir_ / "Config.ini";
  WriteBytes(path, "[Skins]\r\nSelected=1\r\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  if (!TypeParam::kHonoursReadOnlyForEveryUser && std::ofstream(path, std::ios::app)) {
    GTEST_SKIP() << "this user may write read-only files";
  }
  EXPECT_FALSE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Selected"), u"1");
}

// Notepad's "Unicode": the new value is written as UTF-16 too, so the file
// stays one the platform reads, with every other entry as it was.
TYPED_TEST_P(ProfileContract, UnicodeFileStaysUnicode) {
  const auto path = this->dir_ / "Config.ini";
  WriteBytes(path, Utf16Le(u"\uFEFF[Skins]\r\nCount=6\r\nSelected=1\r\n[TitleDE]\r\nMenuExit=Schlie\u00dfen\r\n"));
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"Skins", u"Selected", u"3"));
  EXPECT_TRUE(this->store().Write(this->Path("Config.ini"), u"TitleDE", u"Title", u"Gr\u00fc\u00dfe"));
  const std::string file = ReadBytes(path);
  EXPECT_EQ(file.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(file.size() % 2, 0u);
  EXPECT_EQ(file.find("Selected=3"), std::string::npos) << "single-byte text in the file";
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Selected"), u"3");
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Count"), u"6");
  EXPECT_EQ(this->Read("Config.ini", u"TitleDE", u"MenuExit"), u"Schlie\u00dfen");
  EXPECT_EQ(this->Read("Config.ini", u"TitleDE", u"Title"), u"Gr\u00fc\u00dfe");
}

REGISTER_TYPED_TEST_SUITE_P(ProfileContract, ReadsFollowThePlatformRules,
                            MissingFileGivesTheFallback, WriteCreatesAMissingFile,
                            WriteAddsAMissingSectionAndKeepsTheRest,
                            RewriteReplacesTheValueWithoutASecondLine, NewKeyGoesIntoItsOwnSection,
                            CrlfFileStaysCrlf, EntriesThatWouldNotReadBackAreNotWritten,
                            WriteIntoAReadOnlyFileFailsAndKeepsIt, UnicodeFileStaysUnicode);

// What callers rely on from any store, files or none: a value written reads
// back, names ignore case, files keep apart, a missing one gives the fallback.
template <typename Store>
class ProfileStoreContract : public ProfileContract<Store> {};

TYPED_TEST_SUITE_P(ProfileStoreContract);

TYPED_TEST_P(ProfileStoreContract, WrittenValuesReadBackUnderAnyCaseOfTheirNames) {
  ProfileStore& store = this->store();
  EXPECT_TRUE(store.Write(this->Path("Config.ini"), u"Skins", u"Selected", u"2"));
  EXPECT_TRUE(store.Write(this->Path("Config.ini"), u"Skins", u"Selected", u"3"));
  EXPECT_EQ(this->Read("Config.ini", u"Skins", u"Selected"), u"3");
  EXPECT_EQ(this->Read("Config.ini", u"SKINS", u"selected"), u"3");
}

TYPED_TEST_P(ProfileStoreContract, FilesSectionsAndKeysKeepApart) {
  ProfileStore& store = this->store();
  EXPECT_TRUE(store.Write(this->Path("Config.ini"), u"TitleEN", u"MenuExit", u"Exit"));
  EXPECT_TRUE(store.Write(this->Path("Config.ini"), u"TitleDE", u"MenuExit", u"Beenden"));
  EXPECT_TRUE(store.Write(this->Path("Other.ini"), u"TitleEN", u"MenuExit", u"Quit"));
  EXPECT_EQ(this->Read("Config.ini", u"TitleEN", u"MenuExit"), u"Exit");
  EXPECT_EQ(this->Read("Config.ini", u"TitleDE", u"MenuExit"), u"Beenden");
  EXPECT_EQ(this->Read("Other.ini", u"TitleEN", u"MenuExit"), u"Quit");
  EXPECT_EQ(this->Read("Config.ini", u"TitleEN", u"MenuSetting"), kFallback);
  EXPECT_EQ(this->Read("Missing.ini", u"TitleEN", u"MenuExit"), kFallback);
}

REGISTER_TYPED_TEST_SUITE_P(ProfileStoreContract, WrittenValuesReadBackUnderAnyCaseOfTheirNames,
                            FilesSectionsAndKeysKeepApart);

}  // namespace quorbel
