#include <gtest/gtest.h>

#include <string>
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

TEST(ForwardedCommand, TheReadLimitHoldsEveryCommandAndStopsJustBeyond) {
  // What is cut at the limit must never come out as a command.
  for (const std::string_view command : {kSettingsArgument, kExitArgument}) {
    EXPECT_LT(command.size(), kForwardedMessageLimit);
    const std::string longer = std::string(command) + std::string(kForwardedMessageLimit, 'x');
    EXPECT_EQ(ParseForwardedCommand(std::string_view(longer).substr(0, kForwardedMessageLimit)),
              ForwardedCommand::kNone);
  }
}

TEST(TrayAbsenceNotice, SaysOnceAtStartAndOnceEachTimeTheTrayGoesAgain) {
  TrayAbsenceNotice notice;
  std::vector<bool> said;
  for (const bool available : {false, false, true, true, false, false, true, false}) {
    said.push_back(notice.ShouldSay(available));
  }
  EXPECT_EQ(said, (std::vector<bool>{true, false, false, false, true, false, false, true}));

  TrayAbsenceNotice with_tray;
  EXPECT_FALSE(with_tray.ShouldSay(true)) << "a desktop with a tray hears nothing";
}

}  // namespace
}  // namespace quorbel
