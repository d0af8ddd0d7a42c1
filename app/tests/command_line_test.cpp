#include "app/command_line.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(CommandLine, ArgumentsBecomeOneCommandLine) {
  EXPECT_EQ(JoinArguments({}), u"");
  EXPECT_EQ(JoinArguments({"/x", "two words", "", "\xc3\xa9t\xc3\xa9"}), u"/x \"two words\" \"\" \u00e9t\u00e9");
}

TEST(CommandLine, TheArgumentsOfAWindowsCommandLineFollowTheProgramsName) {
  EXPECT_EQ(ArgumentsAfterProgramName(R"("C:\Program Files\Q\QuorbelClock.exe"  /x "a b")"), R"(/x "a b")");
  EXPECT_EQ(ArgumentsAfterProgramName("QuorbelClock.exe\t/x"), "/x");
  EXPECT_EQ(ArgumentsAfterProgramName(R"(C:\a"b c"d\Clock.exe e)"), "e") << "a quote inside the name";
  EXPECT_EQ(ArgumentsAfterProgramName("QuorbelClock.exe"), "");
  EXPECT_EQ(ArgumentsAfterProgramName("QuorbelClock.exe   "), "");
  EXPECT_EQ(ArgumentsAfterProgramName(R"("unclosed name)"), "");
  EXPECT_EQ(ArgumentsAfterProgramName(""), "");
}

}  // namespace
}  // namespace quorbel
