#include "settings/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace quorbel {
namespace {

using namespace std::string_literals;

struct WriteCase {
  const char* label;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::string after;
};

TEST(WriteProfileValue, ChangesOnlyTheBytesOfTheEntry) {
  const std::vector<WriteCase> cases = {
      {"new file", "", "Skins", "Selected", "2", "[Skins]\r\nSelected=2\r\n"},
      {"section added after a last line without break", "[A]\nx=1", "Skins", "Selected", "2",
       "[A]\nx=1\n[Skins]\nSelected=2\n"},
      {"key added before blank lines and the next section", "[Skins]\r\nCount=2\r\n\r\n[B]\r\n",
       "Skins", "Selected", "2", "[Skins]\r\nCount=2\r\nSelected=2\r\n\r\n[B]\r\n"},
      {"CR-only file", "[Skins]\rCount=2\r\r[B]\r", "Skins", "Selected", "2",
       "[Skins]\rCount=2\rSelected=2\r\r[B]\r"},
      {"section line at the very end", "[Skins]", "Skins", "Selected", "2",
       "[Skins]\r\nSelected=2\r\n"},
      {"key line without equals sign", "[Skins]\r\nSelected\r\n", "Skins", "Selected", "2",
       "[Skins]\r\nSelected=2\r\n"},
      {"spacing and case kept around the new value", "[skins]\r\n  selected =  1  \r\nx=y", "Skins",
       "Selected", "2", "[skins]\r\n  selected =  2  \r\nx=y"},
      {"empty value", "[Skins]\r\nSelected=1\r\n", "Skins", "Selected", "",
       "[Skins]\r\nSelected=\r\n"},
      {"first of two sections of one name", "[Skins]\r\nCount=1\r\n[Skins]\r\nSelected=1\r\n",
       "Skins", "Selected", "2", "[Skins]\r\nCount=1\r\nSelected=2\r\n[Skins]\r\nSelected=1\r\n"},
      {"byte-order mark only", "\xEF\xBB\xBF", "Skins", "Selected", "2",
       "\xEF\xBB\xBF[Skins]\r\nSelected=2\r\n"},
      {"blanks around names and before the value dropped", "", " Skins\t", " Selected ", "  2",
       "[Skins]\r\nSelected=2\r\n"},
      {"binary bytes elsewhere untouched", "\x00\xFF\x01[x]\r\n[Skins]\r\n"s, "Skins", "Selected",
       "2", "\x00\xFF\x01[x]\r\n[Skins]\r\nSelected=2\r\n"s},
  };
  for (const WriteCase& c : cases) {
    const auto after = WriteProfileValue(c.before, c.section, c.key, c.value);
    ASSERT_TRUE(after.has_value()) << c.label;
    EXPECT_EQ(*after, c.after) << c.label;
    const size_t value_start = std::min(c.value.find_first_not_of(' '), c.value.size());
    EXPECT_EQ(ReadProfileValue(*after, c.section, c.key), c.value.substr(value_start)) << c.label;
  }
}

TEST(WriteProfileValue, RefusesEntriesThatWouldReadBackDifferently) {
  EXPECT_TRUE(IsWritableProfileEntry("Skins]x", "Selected", "a \"b\" = c"));
  EXPECT_FALSE(IsWritableProfileEntry("Skins", "Selected", "2\r\nx=1"));
  EXPECT_FALSE(IsWritableProfileEntry("Skins", "Selected", std::string("2\0x", 3)));
  EXPECT_FALSE(IsWritableProfileEntry("Sk\nins", "Selected", "2"));
  EXPECT_FALSE(IsWritableProfileEntry("Skins", "Sel=ected", "2"));
  EXPECT_FALSE(IsWritableProfileEntry("Skins", " [Selected]", "2"));
  EXPECT_FALSE(IsWritableProfileEntry("  ", "Selected", "2"));
  EXPECT_FALSE(IsWritableProfileEntry("Skins", "\t", "2"));
  EXPECT_FALSE(WriteProfileValue("[Skins]\r\n", "Skins", "Selected", "2\nx=1").has_value());
}

TEST(ReadProfileValue, SectionLinesFollowThePlatformsReading) {
  // The name runs to the last "]".
  EXPECT_EQ(ReadProfileValue("[a]b]\r\nk=1\r\n", "a]b", "k"), "1");
  // Without a closing bracket the line is a key of the section before.
  EXPECT_EQ(ReadProfileValue("[A]\r\n[Skins\r\nk=1\r\n", "A", "k"), "1");
  // Lines before any section line belong to a section without a name.
  EXPECT_EQ(ReadProfileValue("k=1\r\n[A]\r\n", "", "k"), "1");
  EXPECT_EQ(ReadProfileValue("[A]\x1A\r\nk=\x1A"
                             "1\x1A\r\n",
                             "A", "k"),
            "1");
}

TEST(ReadProfileValue, LongValuesAreCutWithoutSplittingACharacter) {
  const std::string quoted = "[T]\nk=\"" + std::string(6000, 'q') + "\"\n";
  EXPECT_EQ(ReadProfileValue(quoted, "T", "k"), std::string(4999, 'q'));
  const std::string utf8 = "\xEF\xBB\xBF[T]\nk=" + std::string(4998, 'x') + "\xC3\xA9\n";
  EXPECT_EQ(ReadProfileValue(utf8, "T", "k"), std::string(4998, 'x'));
  const std::string ansi = "[T]\nk=" + std::string(4998, 'x') + "\xC3\xA9\n";
  EXPECT_EQ(ReadProfileValue(ansi, "T", "k"), std::string(4998, 'x') + "\xC3");
}

TEST(ProfileValue, ManySectionsAreReadAndWritten) {
  std::string file;
  for (int i = 0; i < 100000; ++i)
    file += "[S" + std::to_string(i) + "]\nk=" + std::to_string(i) + "\n";
  EXPECT_EQ(ReadProfileValue(file, "s99999", "K"), "99999");
  const auto written = WriteProfileValue(file, "S99999", "new", "v");
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(written->substr(file.size()), "new=v\n");
}

}  // namespace
}  // namespace quorbel
