#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "app/forwarded_command.h"
#include "app/tray_absence.h"

namespace quorbel {
namespace {

TEST(ForwardedCommand, OnlyAnExactArgumentIsACommand) {
  EXPECT_EQ(ParseForwardedCommand("--settings"), ForwardedCommand::kSettings);
  EXPECT_EQ(ParseForwardedCommand("--exit"), ForwardedCommand::kExit);
  for (const std::string_view other :
       {"", "--Settings", "--exit ", " --exit", "--exit\n", "--settings --exit", "--exit --exit", "\"--exit\"",
        "--exi", "-exit", "/exit"}) {
    EXPECT_EQ(ParseForwardedCommand(other), ForwardedCommand::kNone) << '"' << other << '"';
  }
  EXPECT_EQ(ParseForwardedCommand(std::string_view("--exit\0x", 8)), ForwardedCommand::kNone);
}

TEST(TrayAbsenceNotice, SaysOnceAtStartAndOnceEachTimeTheTrayGoesAgain) {
  TrayAbsenceNotice notice;
  std::vector<bool> said;
  for (const bool available : {false, false, true, true, false, false, true, false}) {
    said.push_back(notice.ShouldSay(available));
  }
  EXPECT_EQ(said, (std::vector<bool>{true, false, false, false, true, false, false, true}));
}

}  // namespace
}  // namespace quorbel
