#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/entry.h"

namespace quorbel {
namespace {

// Records what the entry routine asks of the platform, in order.
class FakeEntryPlatform : public EntryPlatform {
 public:
  InstanceLock lock = InstanceLock::kTaken;
  bool panel_can_be_made = true;
  Text arguments;
  bool only_ends = false;
  std::vector<std::string> calls;

  InstanceLock TakeInstanceLock() override { return Call("lock"), lock; }
  Text CommandLineArguments() override { return arguments; }
  void ForwardCommandLine(const Text& forwarded) override { Call("forward " + ToUtf8(forwarded)); }
  bool OnlyEndsARunningInstance() override { return only_ends; }
  bool CreatePanel() override { return Call("create"), panel_can_be_made; }
  void ShowPanel() override { Call("show"); }
  void UnloadPanel() override { Call("unload"); }
  void LoadMenuHost() override { Call("menu host"); }
  int RunEventLoop() override { return Call("loop"), 0; }

 private:
  void Call(std::string what) { calls.push_back(std::move(what)); }
};

using Calls = std::vector<std::string>;

TEST(EntryRoutine, FirstInstanceShowsThePanelLoadsTheMenuHostAndLivesOnEvents) {
  FakeEntryPlatform platform;
  EXPECT_EQ(RunEntryRoutine(platform), 0);
  EXPECT_EQ(platform.calls, (Calls{"lock", "create", "show", "menu host", "loop"}));
}

TEST(EntryRoutine, FirstInstanceWithoutAPanelWindowEndsInsteadOfWaitingUnseen) {
  FakeEntryPlatform platform;
  platform.panel_can_be_made = false;
  EXPECT_EQ(RunEntryRoutine(platform), kExitNoPanel);
  EXPECT_EQ(platform.calls, (Calls{"lock", "create"}));
}

TEST(EntryRoutine, AFirstStartAskedOnlyToEndARunningInstanceEndsWithoutStarting) {
  FakeEntryPlatform first;
  first.only_ends = true;
  EXPECT_EQ(RunEntryRoutine(first), 0);
  EXPECT_EQ(first.calls, (Calls{"lock"}));

  FakeEntryPlatform second;
  second.only_ends = true;
  second.lock = InstanceLock::kHeldByAnother;
  second.arguments = u"--exit";
  RunEntryRoutine(second);
  EXPECT_EQ(second.calls, (Calls{"lock", "create", "forward --exit", "unload"})) << "the running instance is told";
}

TEST(EntryRoutine, SecondInstanceForwardsANonEmptyCommandLineAndEnds) {
  FakeEntryPlatform platform;
  platform.lock = InstanceLock::kHeldByAnother;
  platform.arguments = u"/x \"two words\"";
  EXPECT_EQ(RunEntryRoutine(platform), 0);
  EXPECT_EQ(platform.calls, (Calls{"lock", "create", "forward /x \"two words\"", "unload"}));

  FakeEntryPlatform silent;
  silent.lock = InstanceLock::kHeldByAnother;
  RunEntryRoutine(silent);
  EXPECT_EQ(silent.calls, (Calls{"lock", "create", "unload"})) << "nothing to forward";

  FakeEntryPlatform windowless;
  windowless.lock = InstanceLock::kHeldByAnother;
  windowless.panel_can_be_made = false;
  windowless.arguments = u"a";
  EXPECT_EQ(RunEntryRoutine(windowless), 0);
  EXPECT_EQ(windowless.calls, (Calls{"lock", "create", "forward a"}));
}

TEST(EntryRoutine, ALockThatCannotBeTakenEndsWithAFailureInsteadOfPassingForASecondInstance) {
  FakeEntryPlatform platform;
  platform.lock = InstanceLock::kFailed;
  platform.arguments = u"a";
  EXPECT_EQ(RunEntryRoutine(platform), kExitNoInstanceLock);
  EXPECT_EQ(platform.calls, (Calls{"lock"})) << "no window, no forwarding to an instance that may not exist";
}

}  // namespace
}  // namespace quorbel
