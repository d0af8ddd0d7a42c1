#include <gtest/gtest.h>

#include "common/ansi.h"
#include "common/text.h"

namespace quorbel {
namespace {

TEST(Utf8, RoundTripsEveryPlane) {
  const Text text = u"Pause \u00e9t\u00e9 \u20ac \U0001F600";
  EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
}

TEST(Utf8, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(FromUtf8("a\xff" "b\xc3"), u"a\uFFFDb\uFFFD");
  EXPECT_EQ(FromUtf8("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(Ansi, WesternTextSurvivesTheCodePage) {
  const Text text = u"Pause f\u00fcr die Augen \u2013 \u20ac";
  EXPECT_EQ(FromAnsi(ToAnsi(text)), text);
}

TEST(Ansi, UnrepresentableCharactersAreLost) {
  EXPECT_EQ(ToAnsi(u"a\u4e2db"), "a?b");
}

TEST(ParseInteger, AcceptsOnlyWholeNumbersInRange) {
  EXPECT_EQ(ParseInt16(u" 12 "), 12);
  EXPECT_EQ(ParseInt16(u"-32768"), -32768);
  EXPECT_EQ(ParseInt16(u"32768"), std::nullopt);
  EXPECT_EQ(ParseInt16(u""), std::nullopt);
  EXPECT_EQ(ParseInt16(u"-"), std::nullopt);
  EXPECT_EQ(ParseInt16(u"abc"), std::nullopt);
  EXPECT_EQ(ParseInt16(u"1 2"), std::nullopt);
  EXPECT_EQ(ParseInteger(u"99999999999999999999999", 0, 10), std::nullopt);
}

}  // namespace
}  // namespace quorbel
